#include "cp1251.h"

#include <array>

namespace vorelian::cp1251 {
namespace {

// Characters of bytes 0x80..0xFF.
static constexpr char16_t kUpper[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

struct ReverseEntry {
    char16_t ch;
    unsigned char byte;
};

// The upper half sorted by character, for a binary search when encoding.
constexpr std::array<ReverseEntry, 128> MakeReverse() {
    std::array<ReverseEntry, 128> r{};
    for (int i = 0; i < 128; ++i)
        r[i] = {kUpper[i], static_cast<unsigned char>(0x80 + i)};
    for (int i = 1; i < 128; ++i) // insertion sort: constexpr and tiny
        for (int j = i; j > 0 && r[j - 1].ch > r[j].ch; --j) {
            auto t = r[j];
            r[j] = r[j - 1];
            r[j - 1] = t;
        }
    return r;
}
constexpr auto kReverse = MakeReverse();

} // namespace

int ByteOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u;
    std::size_t lo = 0, hi = kReverse.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (kReverse[mid].ch < u)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < kReverse.size() && kReverse[lo].ch == u ? kReverse[lo].byte : -1;
}

bool CanEncode(QStringView text) {
    for (QChar c : text)
        if (ByteOf(c) < 0)
            return false;
    return true;
}

QString Decode(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* p = out.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *p++ = QChar(u < 0x80 ? char16_t(u) : kUpper[u - 0x80]);
    }
    return out;
}

QByteArray Encode(QStringView text, char replacement) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* p = out.data();
    for (QChar c : text) {
        const int b = ByteOf(c);
        *p++ = b < 0 ? replacement : static_cast<char>(b);
    }
    return out;
}

} // namespace vorelian::cp1251
