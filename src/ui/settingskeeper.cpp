#include "ui/settingskeeper.h"

namespace vorelian {

SettingsKeeper::SettingsKeeper(Gather gather, Write write, QObject* parent)
    : QObject(parent), gather_(std::move(gather)), write_(std::move(write)) {
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &SettingsKeeper::Look);
}

void SettingsKeeper::Start() {
    seen_ = written_ = gather_();
    timer_.start();
}

void SettingsKeeper::Stop() {
    timer_.stop();
}

void SettingsKeeper::Look() {
    const Settings now = gather_();
    if (now != seen_) { // still changing: wait for it to settle
        seen_ = now;
        return;
    }
    if (now == written_)
        return;
    written_ = now;
    write_(now);
}

} // namespace vorelian
