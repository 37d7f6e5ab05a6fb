// The table of names behind the name-day search: each church form of a name with its gender, its genitive
// (the form the commemorations are written in) and the secular forms a reader says, from the file
// "Names.DAT" of the data folder.
//
// A reader's name finds the church forms whose own form or secular forms it is, letter case and «ё»
// ignored; the search then looks for their genitives as whole words. So «Серафима» is the woman's name and
// finds «Серафимы», never St Seraphim's «Серафима»; «Светлана» finds «Фотины».
#pragma once

#include "bases/profile.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace vorelian {

// The table's file name inside the data folder.
inline constexpr QStringView NamesFileName = u"Names.DAT";

struct SaintName {
    QString Church;       // the church form, in the nominative: «Фотина»
    bool Female = false;  // gender=ж
    QStringList Genitive; // as the data writes it: «Фотины»
    QStringList Secular;  // the forms a reader says: «Светлана»
};

struct NameTable {
    std::vector<SaintName> Names;

    // The genitives of every church form that `name` stands for; empty for a name the table lacks.
    QStringList GenitivesOf(QStringView name) const;
};

// The table of a parsed Names.DAT: one section per church form, named by it, with the keys `gender`
// (м or ж), `genitive` and `names` (comma-separated). A section without a genitive is skipped and logged.
NameTable LoadNameTable(const Profile& file);

} // namespace vorelian
