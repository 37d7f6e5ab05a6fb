// The settings written soon after they change, not only at the exit: a lost display or a crash ends the
// process past the exit sequence, and the settings of the run would go with it. Every second the keeper
// gathers the settings as the exit would write them; once they have stayed the same for a second (a
// window being dragged moves on) and differ from what was last written, they are written.
#pragma once

#include "core/settings.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace vorelian {

class SettingsKeeper : public QObject {
    Q_OBJECT
public:
    using Gather = std::function<Settings()>;
    using Write = std::function<void(const Settings&)>;

    SettingsKeeper(Gather gather, Write write, QObject* parent = nullptr);

    // What is gathered now counts as written; the watch begins.
    void Start();
    // No more writes (the exit has written the settings).
    void Stop();

private:
    void Look();

    Gather gather_;
    Write write_;
    QTimer timer_;
    Settings seen_, written_;
};

} // namespace vorelian
