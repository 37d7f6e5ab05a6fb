// The exit statuses of the command-line programs (the report tool, and the server at its start), one
// table for all of them so that scripts read every program alike.
#pragma once

namespace vorelian {

enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1,      // anything else
    ExitBadArguments = 2, // with one line on stderr
    ExitNoDataSet = 3,    // no data set was found
    ExitOutputCut = 4,    // the output was cut at a limit (said on stderr)
};

// The table as the --help texts show it, in Russian and English.
inline constexpr const char* kExitStatusHelp =
    "Код выхода: 0 — успех; 2 — неверные аргументы (сообщение в stderr); 3 — не найден набор данных;\n"
    "            4 — вывод обрезан на пределе (сообщение в stderr); 1 — любая другая ошибка.\n"
    "Exit status: 0 success; 2 bad arguments (one line on stderr); 3 no data set found;\n"
    "             4 output cut at a limit (said on stderr); 1 anything else.\n";

} // namespace vorelian
