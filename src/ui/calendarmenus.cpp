#include "ui/calendarmenus.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace vorelian {

CalendarMenus::CalendarMenus(QMainWindow* window) : QObject(window), window_(window) {
    setupActions();
    setupMenus();
}

void CalendarMenus::setupActions() {
    const auto make = [this](QAction*& a, const QString& name, const QString& caption,
                             const QKeySequence& key = {}) {
        a = new QAction(caption, this);
        a->setObjectName(name);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        window_->addAction(a);
    };
    const auto checkable = [](QAction* a, QActionGroup* group) {
        a->setCheckable(true);
        if (group)
            group->addAction(a);
    };

    make(mnuSaveAS, QStringLiteral("mnuSaveAS"), QStringLiteral("Сохранить &как..."), Qt::CTRL | Qt::Key_S);
    make(mnuExportIcal, QStringLiteral("mnuExportIcal"), QStringLiteral("&Экспорт в календарь (iCalendar)…"));
    make(mnuCopy, QStringLiteral("mnuCopy"), QStringLiteral("&Копировать"), Qt::CTRL | Qt::Key_C);
    make(mnuCopyAll, QStringLiteral("mnuCopyAll"), QStringLiteral("Копировать &все"), Qt::CTRL | Qt::Key_A);
    make(mnuFind, QStringLiteral("mnuFind"), QStringLiteral("П&оиск..."), Qt::CTRL | Qt::Key_F);
    make(mnuFindSelText, QStringLiteral("mnuFindSelText"), QStringLiteral("&Искать выделенный текст"),
         Qt::Key_F3);
    make(mnuPrint, QStringLiteral("mnuPrint"), QStringLiteral("&Печать..."), Qt::CTRL | Qt::Key_P);
    make(mnuPrintMonth, QStringLiteral("mnuPrintMonth"), QStringLiteral("Печать &месяца…"));
    make(mnuExportPdf, QStringLiteral("mnuExportPdf"), QStringLiteral("Экспорт в P&DF…"));
    make(mnuExit, QStringLiteral("mnuExit"), QStringLiteral("В&ыход"), Qt::CTRL | Qt::Key_X);
    mnuExit->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});
    // Ctrl+A is "Копировать все"; selecting the whole report is an item of its own, without a key.
    make(mnuSelectAll, QStringLiteral("mnuSelectAll"), QStringLiteral("Выделить &всё"));

    calGroup_ = new QActionGroup(this);
    const QString styles[] = {QStringLiteral("от Сотворения &Мира"),
                              QStringLiteral("от Р.Х. по &старому стилю"),
                              QStringLiteral("от Р.Х. по &новому стилю")};
    const Qt::Key styleKeys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3};
    for (int s = 1; s <= 3; ++s) {
        make(mnuCal[s], QStringLiteral("mnuCal_%1").arg(s), styles[s - 1], Qt::CTRL | styleKeys[s - 1]);
        // Desktops that take Ctrl+F1..F4 for their workspaces leave Alt+1..3 free.
        mnuCal[s]->setShortcuts(
            {QKeySequence(Qt::CTRL | styleKeys[s - 1]), QKeySequence(Qt::ALT | (Qt::Key_0 + s))});
        checkable(mnuCal[s], calGroup_);
    }
    make(mnuToday, QStringLiteral("mnuToday"), QStringLiteral("С&егодня"), Qt::CTRL | Qt::Key_F4);
    mnuToday->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F4), QKeySequence(Qt::ALT | Qt::Key_Home)});
    make(mnuGoTo, QStringLiteral("mnuGoTo"), QStringLiteral("Перейти к &дате…"), Qt::CTRL | Qt::Key_G);

    tabGroup_ = new QActionGroup(this);
    const QString tabs[] = {QStringLiteral("&День"),      QStringLiteral("&Седмица"),
                            QStringLiteral("&Месяц"),     QStringLiteral("&Год"),
                            QStringLiteral("&Основные"),  QStringLiteral("&Выборка"),
                            QStringLiteral("Сокр&ащения")};
    for (int t = 0; t < 7; ++t) {
        make(mnuTab[t], QStringLiteral("mnuTab_%1").arg(t), tabs[t], Qt::SHIFT | Qt::Key(Qt::Key_F1 + t));
        checkable(mnuTab[t], tabGroup_);
    }

    make(mnuFont, QStringLiteral("mnuFont"), QStringLiteral("&Шрифт..."));
    make(mnuIndiction, QStringLiteral("mnuIndiction"), QStringLiteral("Показывать год &индиктиона"));
    checkable(mnuIndiction, nullptr);
    make(mnuAllStyles, QStringLiteral("mnuAllStyles"), QStringLiteral("Показывать даты по &трем стилям"));
    checkable(mnuAllStyles, nullptr);
    make(mnuFasting, QStringLiteral("mnuFasting"), QStringLiteral("Показывать по&ст"));
    checkable(mnuFasting, nullptr);
    make(mnuReadings, QStringLiteral("mnuReadings"), QStringLiteral("Показывать &чтения"));
    checkable(mnuReadings, nullptr);
    fwdGroup_ = new QActionGroup(this);
    make(mnuFirstWD[0], QStringLiteral("mnuFirstWD_0"), QStringLiteral("&Воскресенье"));
    make(mnuFirstWD[1], QStringLiteral("mnuFirstWD_1"), QStringLiteral("&Понедельник"));
    checkable(mnuFirstWD[0], fwdGroup_);
    checkable(mnuFirstWD[1], fwdGroup_);
    make(mnuRange, QStringLiteral("mnuRange"), QStringLiteral("&Диапазон годов..."));
    sizeGroup_ = new QActionGroup(this);
    const QString sizes[] = {QStringLiteral("&Обычный"), QStringLiteral("&Крупный"),
                             QStringLiteral("&Самый крупный")};
    for (int i = 0; i < 3; ++i) {
        make(mnuTextSize[i], QStringLiteral("mnuTextSize_%1").arg(i), sizes[i]);
        checkable(mnuTextSize[i], sizeGroup_);
    }
    mnuTextSize[0]->setShortcut(Qt::CTRL | Qt::Key_0);
    // The zoom keys of browsers and editors step through the sizes.
    make(mnuTextBigger, QStringLiteral("mnuTextBigger"), QStringLiteral("К&рупнее"));
    mnuTextBigger->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    make(mnuTextSmaller, QStringLiteral("mnuTextSmaller"), QStringLiteral("&Мельче"),
         Qt::CTRL | Qt::Key_Minus);

    make(mnuHelp, QStringLiteral("mnuHelp"), QStringLiteral("&Помощь"), Qt::Key_F1);
    make(mnuEMail, QStringLiteral("mnuEMail"), QStringLiteral("E-Mail &автору"));
    make(mnuHomePage, QStringLiteral("mnuHomePage"), QStringLiteral("Web-&страница"));
    make(mnuAbout, QStringLiteral("mnuAbout"), QStringLiteral("&О программе"));
}

void CalendarMenus::setupMenus() {
    QMenuBar* bar = window_->menuBar();
    const auto menu = [bar](QMenu*& m, const QString& name, const QString& caption, QMenu* parent = nullptr) {
        m = parent ? parent->addMenu(caption) : bar->addMenu(caption);
        m->setObjectName(name);
    };

    menu(mnuFile, QStringLiteral("mnuFile"), QStringLiteral("&Файл"));
    mnuFile->addActions({mnuSaveAS, mnuExportIcal});
    mnuFile->addSeparator();
    mnuFile->addActions({mnuCopy, mnuCopyAll, mnuSelectAll});
    mnuFile->addSeparator();
    mnuFile->addActions({mnuFind, mnuFindSelText});
    mnuFile->addSeparator();
    mnuFile->addActions({mnuPrint, mnuPrintMonth, mnuExportPdf});
    mnuFile->addSeparator();
    mnuFile->addAction(mnuExit);

    menu(mnuCalendar, QStringLiteral("mnuCalendar"), QStringLiteral("&Календарь"));
    mnuCalendar->addActions({mnuCal[1], mnuCal[2], mnuCal[3]});
    mnuCalendar->addSeparator();
    mnuCalendar->addActions({mnuToday, mnuGoTo});

    menu(mnuView, QStringLiteral("mnuView"), QStringLiteral("&Вид"));
    for (QAction* a : mnuTab)
        mnuView->addAction(a);

    menu(mnuSetup, QStringLiteral("mnuSetup"), QStringLiteral("&Настройка"));
    mnuSetup->addAction(mnuFont);
    mnuSetup->addSeparator();
    mnuSetup->addActions({mnuIndiction, mnuAllStyles, mnuFasting, mnuReadings});
    mnuSetup->addSeparator();
    menu(mnuFWD, QStringLiteral("mnuFWD"), QStringLiteral("&Первый день недели"), mnuSetup);
    mnuFWD->addActions({mnuFirstWD[0], mnuFirstWD[1]});
    menu(mnuTextSizes, QStringLiteral("mnuTextSizes"), QStringLiteral("&Размер текста окна"), mnuSetup);
    mnuTextSizes->addActions({mnuTextSize[0], mnuTextSize[1], mnuTextSize[2]});
    mnuTextSizes->addSeparator();
    mnuTextSizes->addActions({mnuTextBigger, mnuTextSmaller});
    mnuSetup->addSeparator();
    mnuSetup->addAction(mnuRange);

    menu(mnuInfo, QStringLiteral("mnuInfo"), QStringLiteral("&Справка"));
    mnuInfo->addAction(mnuHelp);
    mnuInfo->addSeparator();
    mnuInfo->addActions({mnuEMail, mnuHomePage});
    mnuInfo->addSeparator();
    mnuInfo->addAction(mnuAbout);
}

void CalendarMenus::CheckStyle(int16_t style) {
    for (int s = 1; s <= 3; ++s)
        mnuCal[s]->setChecked(s == style);
}

void CalendarMenus::CheckTab(int tab) {
    for (int t = 0; t < 7; ++t)
        mnuTab[t]->setChecked(t == tab);
}

void CalendarMenus::CheckFirstWeekday(int16_t firstWeekday) {
    mnuFirstWD[0]->setChecked(firstWeekday == 7);
    mnuFirstWD[1]->setChecked(firstWeekday != 7);
}

void CalendarMenus::CheckTextSize(int16_t size) {
    for (int i = 0; i < 3; ++i)
        mnuTextSize[i]->setChecked(i == size);
}

QList<QAction*> CalendarMenus::Actions() const {
    return findChildren<QAction*>();
}

} // namespace vorelian
