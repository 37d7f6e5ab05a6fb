#include "engine/dayengine.h"

#include "bases/bases.h"
#include "core/calendar.h"

namespace vorelian {

struct DataSet {
    QString Dir;
};

DayEngine::DayEngine() : data_(std::make_unique<DataSet>()) {}
DayEngine::~DayEngine() = default;

std::shared_ptr<const DayEngine> DayEngine::Load(const QString& calendarDir) {
    std::shared_ptr<DayEngine> e(new DayEngine());
    e->data_->Dir = calendarDir;
    return e;
}

std::optional<int32_t> DayEngine::DayNumberOf(int16_t, int16_t, int16_t, int16_t) const {
    return std::nullopt;
}

DayInfo DayEngine::Day(int32_t dayNumber, const DayOptions&) const {
    DayInfo d;
    d.DayNumber = dayNumber;
    return d;
}

std::vector<FeastRow> DayEngine::Feasts(int16_t, const DayOptions&) const {
    return {};
}

std::vector<SearchMatch> DayEngine::Search(int16_t, const DayOptions&, const QString&, bool) const {
    return {};
}

QByteArray DayEngine::ReportDocument(int, int32_t, const DayOptions&, const Settings&, const QString&,
                                     bool) const {
    return {};
}

const QString& DayEngine::CalendarDir() const {
    return data_->Dir;
}

} // namespace vorelian
