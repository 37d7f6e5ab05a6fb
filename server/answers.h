// What the service answers to one request, as plain values: the routing, the checks of every part of
// the address, the caching headers and the documents. Nothing here touches a socket, so every answer can
// be computed on any thread and checked without a network.
#pragma once

#include "engine/dayengine.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace vorelian::server {

// Longest path with query the service reads; longer addresses get 414.
inline constexpr qsizetype MaxTargetLength = 2048;
// Longest search text, in characters.
inline constexpr qsizetype MaxSearchText = 200;
// Longest span of an iCalendar feed, in years.
inline constexpr int MaxFeedYears = 10;

// The loaded data set and what the answers need to know about it.
struct ServiceData {
    std::shared_ptr<const DayEngine> Engine;
    QByteArray DataHash; // hex digest of the data set's files: part of every ETag
    // The days the service answers for in each style (1..3), the tool's default range of years.
    std::array<int32_t, 4> FirstDay{}, LastDay{};
};

struct Request {
    QByteArray Method;      // "GET", "HEAD", …
    QByteArray Path;        // percent-encoded, as received
    QByteArray Query;       // percent-encoded, without "?"
    QByteArray IfNoneMatch; // the header, "" when absent
    QByteArray Host;        // the header, "" when absent: the pages' webcal address
};

struct Answer {
    int Status = 200;
    QByteArray ContentType;
    QByteArray Body; // the body of a GET; a HEAD sends the same headers without it
    // A HEAD of a document that is built only when asked for: the body was never made, so its length is
    // not known and not sent.
    bool Unbuilt = false;
    std::vector<std::pair<QByteArray, QByteArray>> Headers;
};

// Fills the first and last day of each style the service answers for: the tool's default years, 1901 to
// 2100 of the style (7409 to 7608 Anno Mundi).
void SetServedDays(ServiceData& data);

// Hex SHA-1 over the data files of a folder that the engine reads: names, sizes and contents, each read
// in pieces and no further than the reader's size cap.
QByteArray DataSetHash(const QString& folder);

Answer Respond(const ServiceData& data, const Request& request, const QDate& today);

// A refusal: the status and a JSON {"error": message}, never cached.
Answer ErrorAnswer(int status, const QString& message);

// The path and query for the log: every byte below 0x20 or from 0x7f shown as \xNN, and backslash doubled.
QByteArray LogEscaped(const QByteArray& text);

} // namespace vorelian::server
