// What the service answers to one request, as plain values: the routing, the checks of every part of
// the address, the caching headers and the documents. Nothing here touches a socket, so every answer can
// be computed on any thread and checked without a network.
#pragma once

#include "calendarsource.h"

#include <QByteArray>
#include <QDate>
#include <QString>

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
    std::shared_ptr<const CalendarSource> Source;
    QByteArray DataHash;  // hex digest of the data folder's files: part of every ETag
    int32_t FirstDay = 0; // the days the service answers for, as the tool's default range of years
    int32_t LastDay = 0;
};

struct Request {
    QByteArray Method;      // "GET", "HEAD", …
    QByteArray Path;        // percent-encoded, as received
    QByteArray Query;       // percent-encoded, without "?"
    QByteArray IfNoneMatch; // the header, "" when absent
};

struct Answer {
    int Status = 200;
    QByteArray ContentType;
    QByteArray Body; // the body of a GET; a HEAD sends the same headers without it
    std::vector<std::pair<QByteArray, QByteArray>> Headers;
};

// The first and last day the service answers for: Julian 1901 to 2100, the tool's default years.
std::pair<int32_t, int32_t> ServedDays();

// Hex SHA-1 over the names and contents of the regular files of a folder, in name order.
QByteArray DataSetHash(const QString& folder);

Answer Respond(const ServiceData& data, const Request& request, const QDate& today);

// The path and query for the log: every byte below 0x20 or from 0x7f shown as \xNN, and backslash doubled.
QByteArray LogEscaped(const QByteArray& text);

} // namespace vorelian::server
