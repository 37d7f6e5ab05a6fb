#include "ui/frmcalendar.h"

#include "core/calendar.h"
#include "core/navigation.h"
#include "core/recalc.h"
#include "core/tables.h"
#include "report/dayblock.h"
#include "report/dialect.h"
#include "report/documents.h"
#include "rtf/reader.h"
#include "ui/busycursor.h"
#include "ui/calendarapp.h"
#include "ui/calendarmenus.h"
#include "ui/datepickers.h"
#include "ui/exportcommand.h"
#include "ui/fontdialog.h"
#include "ui/frmabout.h"
#include "ui/frmfind.h"
#include "ui/frmgoto.h"
#include "ui/frmhelp.h"
#include "ui/helplinks.h"
#include "ui/monthgrid.h"
#include "ui/monthpage.h"
#include "ui/richtextview.h"
#include "ui/stylestable.h"
#include "ui/twips.h"
#include "ui/userclick.h"
#include "ui/windowtext.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidgetItem>

namespace vorelian {

namespace {

const char16_t* const kTabCaptions[] = {u"День",     u"Седмица", u"Месяц",     u"Год",
                                        u"Основные", u"Выборка", u"Сокращения"};

// Distances in the right-hand column, in pixels: between a step and its picker, and between its blocks.
constexpr int kGap = 3;
constexpr int kBlockGap = 7;
// Room around a cell's text: two pixels either side and the grid line.
constexpr int kCellRoom = 6;

// Places of the report views inside the tab control, in twips.
constexpr double kViewLeft = 120, kViewTop = 480, kSearchViewTop = 1370, kViewRight = 120, kViewBottom = 120;

// Seven captions side by side across the tab control: the tabs keep the look of the style with less room
// around their texts.
class CompactTabStyle : public QProxyStyle {
public:
    explicit CompactTabStyle(QObject* owner) : QProxyStyle() { setParent(owner); }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

frmCalendar::frmCalendar(CalendarApp& app) : app_(app), fileCommands_(app.Options) {
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(kProductName);
    menus_ = new CalendarMenus(this);
    setupControls();
    connectParts();

    const CalendarState& st = app_.State;
    const Settings& s = app_.Options;
    SetWindowFont(WindowFont(s.TextSize));
    placement_.Apply(this, central_, s);

    MSFlexGrid1->SetBackColor(WinColor(GridColor(st.CurStyle, 1)));
    SetWeekDaysNames();
    menus_->CheckStyle(st.CurStyle);
    menus_->CheckTab(0);
    menus_->mnuIndiction->setChecked(s.ShowIndiction);
    menus_->mnuAllStyles->setChecked(s.ShowAllStyles);
    menus_->mnuFasting->setChecked(s.ShowFasting);
    menus_->mnuReadings->setChecked(s.ShowReadings);
    menus_->CheckFirstWeekday(s.FirstWeekday);
    menus_->CheckTextSize(s.TextSize);
    cbFind->setEnabled(false);
    SetYearsMonths();
    SetWeeks();
    // The abbreviations are a document of their own; without it the tab stays empty.
    LoadAbbreviations();
}

frmCalendar::~frmCalendar() = default;

void frmCalendar::LoadAbbreviations() {
    if (!app_.Engine)
        return;
    const QString& path = app_.Engine->Data().Data.Files[DataFiles::Abbr];
    if (!QFileInfo::exists(path))
        return;
    rtf::ReadLimits limits;
    limits.MaxText = DataFiles::MaxAbbrText;
    QString error;
    bool cut = false;
    if (!RichTextBox1[6]->LoadFile(path, Profile::MaxFileBytes, limits, &error, &cut))
        qCWarning(lcProfile).noquote() << QStringLiteral("%1: %2; not shown").arg(path, error);
    else if (cut)
        qCWarning(lcProfile).noquote()
            << QStringLiteral("%1: only the first %2 characters shown").arg(path).arg(limits.MaxText);
    else
        return;
    app_.DataProblems << path;
}

void frmCalendar::setupControls() {
    central_ = new QWidget(this);
    central_->setObjectName(QStringLiteral("client"));
    setCentralWidget(central_);
    central_->installEventFilter(this);

    SSTab1 = new QTabWidget(central_);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(PxRect(120, 120, 6675, 6135));
    SSTab1->tabBar()->setStyle(new CompactTabStyle(SSTab1->tabBar()));
    for (int t = 0; t < 7; ++t)
        setupReportPage(t);

    Con1 = new QFrame(central_);
    Con1->setObjectName(QStringLiteral("Con1"));
    Con1->setGeometry(PxRect(6840, 120, 2625, 5325));
    pickers_ = new DatePickers(Con1);
    MSFlexGrid1 = new MonthGrid(Con1);
    MSFlexGrid2 = new StylesTable(MSFlexGrid1->width(), Con1);
    cbToday = new QPushButton(QStringLiteral("Сегодня"), Con1);
    cbToday->setObjectName(QStringLiteral("cbToday"));
    cbToday->setToolTip(QStringLiteral("Перейти к сегодняшнему дню (Ctrl+F4)"));

    Con2 = new QFrame(central_);
    Con2->setObjectName(QStringLiteral("Con2"));
    Con2->setGeometry(PxRect(6840, 5715, 2625, 600));
    cbExit = new QPushButton(QStringLiteral("Закрыть"), Con2);
    cbExit->setObjectName(QStringLiteral("cbExit"));
}

void frmCalendar::SetWindowFont(const QFont& font) {
    SSTab1->tabBar()->setFont(font);
    Con1->setFont(font);
    Con2->setFont(font);
    for (QWidget* w : std::initializer_list<QWidget*>{strFind, cbFind, WholeWord, NameDays})
        w->setFont(font);
    // The year picker's box takes no font from its picker under the pickers' style sheet.
    for (QComboBox* c : pickers_->Combo1) {
        c->setFont(font);
        if (c->lineEdit())
            c->lineEdit()->setFont(font);
    }
    SetMenuFont(font);
    LayOutControls();
}

// The menus grow with the window's text but never below the desktop's own menu text, so the smallest
// size keeps the menus as the other programs show them.
void frmCalendar::SetMenuFont(const QFont& font) {
    QFont menuFont = QApplication::font(menuBar());
    if (font.pointSizeF() > menuFont.pointSizeF())
        menuFont.setPointSizeF(font.pointSizeF());
    menuBar()->setFont(menuFont);
    // The drop-down menus are windows of their own and take no font from the bar.
    for (QMenu* m : menuBar()->findChildren<QMenu*>())
        m->setFont(menuFont);
}

// Every size of the right-hand column comes from the measures of its font, the design sizes being the
// least: the pickers as wide as their longest item, the grid cells as wide as a bold "30", the table as
// wide as the longest date, and the grids as wide as the pickers.
void frmCalendar::LayOutControls() {
    const QFontMetrics fm(Con1->font());
    QFont boldFont = Con1->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);

    int weekdayText = 0;
    for (int i = 15; i <= 21; ++i)
        weekdayText = std::max(weekdayText, bold.horizontalAdvance(WeekdayNames[i]));
    int dateText = 0;
    for (int m = 1; m <= 12; ++m)
        dateText =
            std::max(dateText, bold.horizontalAdvance(QStringLiteral("30 %1 7608 ").arg(MonthNameOf(m, 2))));
    const int weekdayCol = std::max(Px(345), weekdayText + kCellRoom);
    const int dayCol = std::max(Px(300), bold.horizontalAdvance(QStringLiteral("30")) + kCellRoom);
    const int labelCol = std::max({Px(650), bold.horizontalAdvance(QStringLiteral("от С.М.")) + kCellRoom,
                                   bold.horizontalAdvance(QStringLiteral("от Р.Х.")) + kCellRoom});
    const int rowHeight = std::max(Px(255), bold.height() + 2);
    const int frames = 2 * MSFlexGrid1->frameWidth();
    const int width = std::max({Px(2175), pickers_->NeededWidth(), weekdayCol + 6 * dayCol + frames,
                                labelCol + dateText + kCellRoom + frames});

    const int stepWidth = std::max(Px(135), fm.horizontalAdvance(QStringLiteral(">")) + 4);
    int pickerHeight = Px(315);
    for (const QComboBox* c : pickers_->Combo1)
        pickerHeight = std::max(pickerHeight, c->sizeHint().height());
    const int left = Px(45), inner = left + stepWidth + kGap;
    int y = pickers_->Place(left, Px(45), stepWidth, width, pickerHeight, kGap) + kBlockGap;

    // The grids take the pickers' width: the week columns share it, the weekday column takes the rest.
    const int days = (width - frames - weekdayCol) / 6;
    MSFlexGrid1->SetCellSizes(width - frames - 6 * days, days, rowHeight);
    MSFlexGrid1->move(inner, y);
    y += MSFlexGrid1->height() + kBlockGap;
    MSFlexGrid2->SetCellSizes(labelCol, width - frames - labelCol, rowHeight);
    MSFlexGrid2->move(inner, y);
    y += MSFlexGrid2->height() + kBlockGap;
    const int buttonHeight = std::max(Px(495), cbToday->sizeHint().height());
    cbToday->setGeometry(inner, y, width, buttonHeight);
    y += buttonHeight + kBlockGap;

    const int columnWidth = inner + width + kGap + stepWidth + kGap;
    Con1->resize(columnWidth, y);
    cbExit->setGeometry(inner, Px(45), width, buttonHeight);
    Con2->resize(columnWidth, buttonHeight + kBlockGap);

    // The smallest window shows the column and the seven tab captions; the tab control gives up its width
    // first, so that the window keeps its size as long as the captions fit.
    const int tabs = SSTab1->tabBar()->sizeHint().width() + 4;
    const QSize least = kMinimumWindow - kNonClient;
    central_->setMinimumSize(std::max(least.width(), Px(120) + tabs + Px(45) + columnWidth),
                             std::max(least.height(), Con1->y() + Con1->height() + Px(270) + Con2->height()));
    Form_Resize();
    for (int t = 0; t < 7; ++t)
        placeReportPage(t);
}

void frmCalendar::setupReportPage(int tab) {
    QWidget* page = new QWidget;
    page->setObjectName(QStringLiteral("SSTab1_%1").arg(tab));
    pages_[tab] = page;
    RichTextBox1[tab] = new RichTextView(page);
    RichTextBox1[tab]->setObjectName(QStringLiteral("RichTextBox1_%1").arg(tab));
    RichTextBox1[tab]->installEventFilter(this);
    if (tab == 5) {
        strFind = new QLineEdit(page);
        strFind->setObjectName(QStringLiteral("strFind"));
        cbFind = new QPushButton(QStringLiteral("Выбрать"), page);
        cbFind->setObjectName(QStringLiteral("cbFind"));
        WholeWord = new QCheckBox(QStringLiteral("Целое слово"), page);
        WholeWord->setObjectName(QStringLiteral("WholeWord"));
        NameDays = new QCheckBox(QStringLiteral("Именины"), page);
        NameDays->setObjectName(QStringLiteral("NameDays"));
        NameDays->setToolTip(
            QStringLiteral("Найти дни святых, чьё имя стоит в поле: Николай, Светлана, Юрий"));
    }
    page->installEventFilter(this);
    SSTab1->addTab(page, QString::fromUtf16(kTabCaptions[tab]));
}

// The views keep their distance from the edges of the tab control, whatever its size; the page is the
// part of the tab control below the tab captions, so the places are mapped into it.
void frmCalendar::placeReportPage(int tab) {
    QWidget* page = pages_[tab];
    const QPoint origin = page->mapTo(SSTab1, QPoint(0, 0));
    const auto place = [&](QWidget* w, const QRect& inTab) { w->setGeometry(inTab.translated(-origin)); };
    // Below the tab captions, however tall the window's text makes them.
    const int below = origin.y() + kBlockGap;
    int top = std::max(Px(kViewTop), below);
    if (tab == 5) {
        const int row = std::max(Px(600), below);
        const int boxHeight = std::max(Px(375), strFind->sizeHint().height());
        const QSize button = cbFind->sizeHint().expandedTo(QSize(Px(1815), Px(435)));
        const QSize check = WholeWord->sizeHint().expandedTo(QSize(Px(1395), Px(315)));
        // The box gives up width when the tab control is narrow; the button keeps its size.
        const int boxWidth = std::clamp(SSTab1->width() - Px(150) - Px(195) - button.width() - Px(kViewRight),
                                        Px(1500), Px(4335));
        place(strFind, QRect(Px(150), row, boxWidth, boxHeight));
        place(cbFind, QRect(QPoint(Px(150) + boxWidth + Px(195), row), button));
        const int checkTop = std::max(Px(1020), row + boxHeight + kGap);
        place(WholeWord, QRect(QPoint(Px(150), checkTop), check));
        const QSize names = NameDays->sizeHint().expandedTo(QSize(Px(1395), Px(315)));
        place(NameDays, QRect(QPoint(Px(150) + check.width() + Px(195), checkTop), names));
        top = std::max(Px(kSearchViewTop), checkTop + check.height() + 2);
    }
    place(RichTextBox1[tab], QRect(Px(kViewLeft), top, SSTab1->width() - Px(kViewLeft + kViewRight),
                                   SSTab1->height() - top - Px(kViewBottom)));
}

void frmCalendar::connectParts() {
    CalendarMenus& m = *menus_;
    for (int16_t s = 1; s <= 3; ++s)
        connect(m.mnuCal[s], &QAction::triggered, this, [this, s] { mnuCal_Click(s); });
    connect(m.mnuToday, &QAction::triggered, this, &frmCalendar::GoToday);
    connect(m.mnuGoTo, &QAction::triggered, this, &frmCalendar::mnuGoTo_Click);
    for (int t = 0; t < 7; ++t)
        connect(m.mnuTab[t], &QAction::triggered, this, [this, t] { mnuTab_Click(t); });
    for (int i = 0; i < 2; ++i)
        connect(m.mnuFirstWD[i], &QAction::triggered, this, [this, i] { mnuFirstWD_Click(i); });
    connect(m.mnuIndiction, &QAction::triggered, this, &frmCalendar::mnuIndiction_Click);
    connect(m.mnuAllStyles, &QAction::triggered, this, &frmCalendar::mnuAllStyles_Click);
    connect(m.mnuFasting, &QAction::triggered, this, &frmCalendar::mnuFasting_Click);
    connect(m.mnuReadings, &QAction::triggered, this, &frmCalendar::mnuReadings_Click);
    for (int16_t i = 0; i < 3; ++i)
        connect(m.mnuTextSize[i], &QAction::triggered, this, [this, i] { mnuTextSize_Click(i); });
    connect(m.mnuTextBigger, &QAction::triggered, this,
            [this] { mnuTextSize_Click(int16_t(std::min(app_.Options.TextSize + 1, 2))); });
    connect(m.mnuTextSmaller, &QAction::triggered, this,
            [this] { mnuTextSize_Click(int16_t(std::max(app_.Options.TextSize - 1, 0))); });
    connect(m.mnuExit, &QAction::triggered, this, &frmCalendar::GoToExit);

    connect(m.mnuFile, &QMenu::aboutToShow, this, &frmCalendar::TestmnuFile);
    connect(m.mnuSaveAS, &QAction::triggered, this, &frmCalendar::mnuSaveAS_Click);
    connect(m.mnuExportIcal, &QAction::triggered, this,
            [this] { ExportCalendar(this, *app_.Engine, app_.State, app_.Options); });
    connect(m.mnuCopy, &QAction::triggered, this, &frmCalendar::mnuCopy_Click);
    connect(m.mnuCopyAll, &QAction::triggered, this, &frmCalendar::mnuCopyAll_Click);
    connect(m.mnuSelectAll, &QAction::triggered, this, [this] { View(VisibleTab())->selectAll(); });
    connect(m.mnuFind, &QAction::triggered, this, &frmCalendar::mnuFind_Click);
    connect(m.mnuFindSelText, &QAction::triggered, this, &frmCalendar::mnuFindSelText_Click);
    connect(m.mnuPrint, &QAction::triggered, this, &frmCalendar::mnuPrint_Click);
    connect(m.mnuPrintMonth, &QAction::triggered, this, [this] { PrintMonth(this, MonthSheetOfWindow()); });
    connect(m.mnuExportPdf, &QAction::triggered, this, [this] {
        ExportPdf(this, *View(VisibleTab()), CurrentFileNameParts(), MonthSheetOfWindow(), app_.Options);
    });
    connect(m.mnuFont, &QAction::triggered, this, &frmCalendar::mnuFont_Click);
    connect(m.mnuRange, &QAction::triggered, this, &frmCalendar::mnuRange_Click);
    connect(m.mnuHelp, &QAction::triggered, this, &frmCalendar::mnuHelp_Click);
    connect(m.mnuEMail, &QAction::triggered, this, &frmCalendar::mnuEMail_Click);
    connect(m.mnuHomePage, &QAction::triggered, this, &frmCalendar::mnuHomePage_Click);
    connect(m.mnuAbout, &QAction::triggered, this, &frmCalendar::mnuAbout_Click);
    // A build without an address has no such item at all.
    m.mnuEMail->setVisible(!ProjectContacts().EMail.isEmpty());
    m.mnuHomePage->setVisible(!ProjectContacts().HomePage.isEmpty());
    for (int t = 0; t < 7; ++t)
        connect(RichTextBox1[t], &RichTextView::RightButtonPressed, this,
                [this, t](const QPoint& at) { RichTextBox1_MouseDown(t, at); });
    connect(strFind, &QLineEdit::textChanged, this, &frmCalendar::strFind_Change);
    connect(strFind, &QLineEdit::returnPressed, this, &frmCalendar::strFind_Enter);
    connect(cbFind, &QPushButton::clicked, this, &frmCalendar::cbFind_Click);

    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int tab) {
        const int previous = shownTab_;
        shownTab_ = tab;
        SSTab1_Click(previous);
    });
    connect(pickers_, &DatePickers::PickerChanged, this, [this](int i, int now, int before) {
        UserClick::PickerChanged(app_, int16_t(i), int16_t(now), int16_t(before));
    });
    connect(pickers_, &DatePickers::StepBack, this, [this](int i) { UserClick::StepBack(app_, int16_t(i)); });
    connect(pickers_, &DatePickers::StepForward, this,
            [this](int i) { UserClick::StepForward(app_, int16_t(i)); });
    connect(MSFlexGrid1, &FlexGrid::MouseDown, this, &frmCalendar::MSFlexGrid1_MouseDown);
    MSFlexGrid1->DayTip = [this](int32_t day) { return FirstCommemoration(day); };
    connect(MSFlexGrid1, &MonthGrid::DaysStep, this, [this](int days) { UserClick::ShiftDays(app_, days); });
    connect(MSFlexGrid1, &MonthGrid::MonthStep, this, [this](int step) {
        if (step < 0)
            UserClick::StepBack(app_, UserClick::PickMonth);
        else
            UserClick::StepForward(app_, UserClick::PickMonth);
    });
    connect(MSFlexGrid1, &MonthGrid::YearStep, this, [this](int step) {
        if (step < 0)
            UserClick::StepBack(app_, UserClick::PickYear);
        else
            UserClick::StepForward(app_, UserClick::PickYear);
    });
    connect(MSFlexGrid2, &FlexGrid::MouseDown, this,
            [this](Qt::MouseButton b, int row, int, const QPoint& at) { MSFlexGrid2_MouseDown(b, row, at); });
    connect(cbToday, &QPushButton::clicked, this, &frmCalendar::GoToday);
    connect(cbExit, &QPushButton::clicked, this, &frmCalendar::GoToExit);
}

// --- the right-hand column ---

void frmCalendar::SetWeekDaysNames() {
    MSFlexGrid1->SetWeekDaysNames(app_.Options.FirstWeekday, app_.State.CurStyle);
    pickers_->SetWeekdayItems(app_.Options.FirstWeekday);
}

void frmCalendar::SetYearsMonths() {
    pickers_->SetYearsMonths(app_.State);
}

void frmCalendar::SetWeeks() {
    pickers_->SetWeeks(app_.State);
}

// After every recomputation: the picker lists that depend on the year, range or style, the style menu's
// mark, the grid, the pickers' choices, the three-style table and the title.
void frmCalendar::SetGridCal() {
    const CalendarState& st = app_.State;
    SetYearsMonths();
    SetWeeks();
    menus_->CheckStyle(st.CurStyle);
    pickers_->SetBackground(WinColor(GridColor(st.CurStyle, 1)));
    MSFlexGrid1->Fill(st, app_.Options.FirstWeekday, TodayDayNumber(), app_.MonthMarks());
    FollowYearInSelection();
    pickers_->BeginUpdate();
    pickers_->SelectAll(st, app_.Options.FirstWeekday);
    pickers_->EnableSteps(st);
    SetDatesCal();
    pickers_->EndUpdate();
}

void frmCalendar::SetDatesCal() {
    MSFlexGrid2->SetDatesCal(app_.State);
    // The current day in the current style, so that windows on a task bar tell their dates apart.
    setWindowTitle(kProductName + QStringLiteral(" — ") +
                   StyleDateText(app_.State, app_.State.CurStyle).trimmed());
}

// The first commemoration of a day, for the tooltip of its cell, as a reader sees it.
QString frmCalendar::FirstCommemoration(int32_t day) {
    if (!app_.Engine)
        return QString();
    const DayInfo info = app_.Engine->Day(day, DayOptionsOf(app_.Options, app_.State.CurStyle));
    for (const DayEntry& e : info.Entries)
        if (!e.Text.trimmed().isEmpty())
            return e.Text.trimmed();
    return QString();
}

int32_t frmCalendar::TodayDayNumber() const {
    const QDate today = app_.Today();
    return DayNumber(StyleGregorian, int16_t(today.day()), int16_t(today.month()), int16_t(today.year()));
}

void frmCalendar::GoToday() {
    const QDate today = app_.Today();
    SetGregorianDate(app_.State, int16_t(today.day()), int16_t(today.month()), int16_t(today.year()));
    SetGridCal();
    app_.BuildReport();
}

void frmCalendar::mnuGoTo_Click() {
    auto* dialog = new frmGoTo(
        this, app_.State, [this](const Navigation::TypedDate& date) { UserClick::GoToDate(app_, date); });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void frmCalendar::MSFlexGrid1_MouseDown(Qt::MouseButton button, int row, int col, const QPoint& globalPos) {
    // Whatever the press did, the grid's current cell is the current day's again, so that whoever reads
    // the current cell (the name Save as proposes) reads the day shown, not an empty or a grey cell.
    struct KeepCurrent {
        MonthGrid* Grid;
        ~KeepCurrent() { Grid->setCurrentCell(Grid->SelRow, Grid->SelCol); }
    } keep{MSFlexGrid1};
    if (button == Qt::RightButton) {
        menus_->mnuCalendar->popup(globalPos);
        return;
    }
    ClickCol = int16_t(col);
    if (col == 0) {
        // A weekday name: the weekday picker moves the date inside its week.
        QComboBox* weekday = pickers_->Combo1[UserClick::PickWeekday];
        pickers_->PrevListIndex = int16_t(weekday->currentIndex());
        weekday->setCurrentIndex(row);
        return;
    }
    ClickRow = int16_t(row);
    const QString text = MSFlexGrid1->Layout().Cells[row][col].Text;
    if (text.isEmpty() || MSFlexGrid1->IsHighlighted(row, col))
        return;
    const int16_t style = app_.State.CurStyle;
    MSFlexGrid1->SetRedraw(false);
    MSFlexGrid1->RestoreHighlighted();
    const int16_t day = int16_t(text.toInt());
    if (MSFlexGrid1->IsAdjacentMonth(row, col)) {
        UserClick::PickAdjacentMonthDay(app_, day, ClickCol); // refills the grid
        return;
    }
    MSFlexGrid1->Highlight(ClickRow, ClickCol, style);
    MSFlexGrid1->SetRedraw(true);
    UserClick::PickDay(app_, day);
    pickers_->BeginUpdate();
    pickers_->SelectWeekAndWeekday(app_.State, app_.Options.FirstWeekday);
    SetDatesCal();
    pickers_->EndUpdate();
}

void frmCalendar::MSFlexGrid2_MouseDown(Qt::MouseButton button, int row, const QPoint& globalPos) {
    if (button == Qt::RightButton) {
        menus_->mnuCalendar->popup(globalPos);
        return;
    }
    const int16_t style = int16_t(row + 1);
    if (style == app_.State.CurStyle)
        return;
    if (!Navigation::DayAllowed(app_.State, style, app_.State.CurDayNumber)) {
        app_.Beep();
        return;
    }
    ChangeStyle(style);
}

void frmCalendar::ChangeStyle(int16_t style) {
    const BusyCursor busy;
    app_.State.CurStyle = style;
    ApplyStyle(app_.State);
    menus_->CheckStyle(style);
    SetGridCal();
    app_.BuildReport();
}

// --- menus, views and options ---

void frmCalendar::mnuCal_Click(int16_t style) {
    if (!Navigation::DayAllowed(app_.State, style, app_.State.CurDayNumber)) {
        app_.Beep();
        menus_->CheckStyle(app_.State.CurStyle); // the menu had already moved its mark
        return;
    }
    ChangeStyle(style);
}

void frmCalendar::mnuTab_Click(int tab) {
    menus_->CheckTab(tab);
    SSTab1->setCurrentIndex(tab);
}

int frmCalendar::VisibleTab() const {
    return SSTab1->currentIndex();
}

void frmCalendar::SSTab1_Click(int previousTab) {
    const int tab = SSTab1->currentIndex();
    if (tab == 5) {
        const RichTextView* left = RichTextBox1[previousTab];
        if (left->SelLength() != 0) {
            // The search box holds one line: paragraph ends of the selection become blanks.
            QString text = left->SelText();
            text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
            strFind->setText(text);
        }
        strFind->setFocus();
    }
    menus_->CheckTab(tab);
    app_.BuildReport();
}

void frmCalendar::mnuFirstWD_Click(int index) {
    const int16_t first = index == 0 ? 7 : 1;
    menus_->CheckFirstWeekday(first);
    app_.Options.FirstWeekday = first;
    SetYearAnchors(app_.State);
    SetWeekAnchors(app_.State);
    SetWeekDaysNames();
    SetWeeks();
    SetGridCal();
    app_.BuildReport();
}

void frmCalendar::mnuIndiction_Click() {
    app_.Options.ShowIndiction = !app_.Options.ShowIndiction;
    menus_->mnuIndiction->setChecked(app_.Options.ShowIndiction);
    ClearReportStyles(app_.Out);
    app_.BuildReport();
}

void frmCalendar::mnuAllStyles_Click() {
    app_.Options.ShowAllStyles = !app_.Options.ShowAllStyles;
    menus_->mnuAllStyles->setChecked(app_.Options.ShowAllStyles);
    ClearReportStyles(app_.Out);
    app_.BuildReport();
}

void frmCalendar::mnuFasting_Click() {
    app_.Options.ShowFasting = !app_.Options.ShowFasting;
    menus_->mnuFasting->setChecked(app_.Options.ShowFasting);
    MSFlexGrid1->Fill(app_.State, app_.Options.FirstWeekday, TodayDayNumber(), app_.MonthMarks());
    ClearReportStyles(app_.Out);
    app_.BuildReport();
}

void frmCalendar::mnuReadings_Click() {
    app_.Options.ShowReadings = !app_.Options.ShowReadings;
    menus_->mnuReadings->setChecked(app_.Options.ShowReadings);
    ClearReportStyles(app_.Out);
    app_.BuildReport();
}

void frmCalendar::mnuTextSize_Click(int16_t size) {
    app_.Options.TextSize = size;
    menus_->CheckTextSize(size);
    SetWindowFont(WindowFont(size));
    SetWeekDaysNames();
    SetGridCal();
}

void frmCalendar::ShowReport(int tab, const QByteArray& document) {
    if (tab >= 0 && tab < 7)
        RichTextBox1[tab]->Load(document);
}

// --- layout ---

void frmCalendar::Form_Resize() {
    if (isMinimized())
        return;
    // The column stays at the right edge and "Закрыть" at the bottom; the tab control takes the rest.
    const QSize client = central_->size().expandedTo(central_->minimumSize());
    Con1->move(client.width() - Con1->width(), Con1->y());
    Con2->move(client.width() - Con2->width(), client.height() - Con2->height() - Px(50));
    SSTab1->resize(client.width() - Con1->width() - Px(120), client.height() - SSTab1->y() - Px(100));
    // The report views follow the tab control as its pages are resized.
    pickers_->ReSizeCombo(client.height() - Con1->y());
}

bool frmCalendar::IsMenuShortcut(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* a : menus_->Actions())
        if (a->isEnabled() && a->shortcuts().contains(pressed))
            return true;
    return false;
}

bool frmCalendar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == central_ && event->type() == QEvent::Resize) {
        Form_Resize();
    } else if ((event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        for (int t = 0; t < 7; ++t)
            if (watched == pages_[t])
                placeReportPage(t);
    }
    // The menu shortcuts come before the report views' own keys (Ctrl+C, Ctrl+A).
    if (event->type() == QEvent::ShortcutOverride)
        for (const RichTextView* v : RichTextBox1)
            if (watched == v && IsMenuShortcut(static_cast<QKeyEvent*>(event))) {
                event->ignore();
                return true;
            }
    return QMainWindow::eventFilter(watched, event);
}

// --- exit ---

Settings frmCalendar::GatherSettings() const {
    Settings s = app_.Options;
    s.Calendar = app_.State.CurStyle;
    s.WindowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    if (s.WindowState == 0)
        placement_.Store(this, central_, s);
    s.MinYear = app_.State.MinYears[StyleJulian];
    s.MaxYear = app_.State.MaxYears[StyleJulian];
    return s;
}

void frmCalendar::GoToExit() {
    if (exiting_)
        return;
    exiting_ = true;
    app_.Options = GatherSettings();
    app_.SaveSettings(app_.Options.WindowState == 0);
    app_.RemoveTempFiles();
    close();
    app_.EndProcess();
}

void frmCalendar::closeEvent(QCloseEvent* event) {
    if (!exiting_)
        GoToExit();
    event->accept();
}

// --- the File, Setup and Help commands and the search of the year ---

void frmCalendar::TestmnuFile() {
    FileCommands::TestmnuFile(View(VisibleTab()), menus_->mnuCopy, menus_->mnuFindSelText);
}

void frmCalendar::RichTextBox1_MouseDown(int, const QPoint& globalPos) {
    FileCommands::PopupFileMenu(menus_->mnuFile, globalPos, View(VisibleTab()), menus_->mnuCopy,
                                menus_->mnuFindSelText);
}

void frmCalendar::mnuSaveAS_Click() {
    fileCommands_.SaveAs(this, *View(VisibleTab()), DefaultFileName(CurrentFileNameParts()));
}

FileNameParts frmCalendar::CurrentFileNameParts() const {
    const int tab = VisibleTab();
    FileNameParts parts;
    parts.Tab = tab;
    parts.StyleText = pickers_->Combo1[0]->currentText();
    parts.YearText = pickers_->Combo1[1]->currentText();
    parts.MonthText = pickers_->Combo1[2]->currentText();
    parts.WeekText = pickers_->Combo1[3]->currentText();
    parts.WeekDates = pickers_->Combo1[3]->currentData(Qt::ToolTipRole).toString();
    if (const QTableWidgetItem* day = MSFlexGrid1->currentItem())
        parts.GridDayText = day->text();
    parts.TabCaption = SSTab1->tabText(tab);
    return parts;
}

void frmCalendar::mnuCopy_Click() {
    FileCommands::Copy(*View(VisibleTab()));
}
void frmCalendar::mnuCopyAll_Click() {
    FileCommands::CopyAll(*View(VisibleTab()));
}
void frmCalendar::mnuPrint_Click() {
    const FileNameParts parts = CurrentFileNameParts();
    FileCommands::Print(this, *View(VisibleTab()), DefaultFileName(parts), app_.Options.LastDir,
                        PrintedHeader(parts));
}

MonthSheet frmCalendar::MonthSheetOfWindow() {
    return CurrentMonthSheet(*app_.Engine, app_.State, app_.Options);
}

void frmCalendar::mnuFind_Click() {
    frmFind::mnuFind(find_, this, [this] { return View(VisibleTab()); });
}

void frmCalendar::mnuFindSelText_Click() {
    FindSelText(this, View(VisibleTab()));
}

void frmCalendar::mnuFont_Click() {
    ChangeReportFont(this, app_.Options, app_.Out, [this] { app_.BuildReport(); });
}

void frmCalendar::mnuRange_Click() {
    frmRange::ShowRange(this, app_.State, *this, &app_.Options);
}
void frmCalendar::BuildReport() {
    app_.BuildReport();
}

void frmCalendar::mnuHelp_Click() {
    frmHelp::ShowHelp(this, HelpPage(app_.Places));
}
void frmCalendar::mnuEMail_Click() {
    OpenMailToAuthor();
}
void frmCalendar::mnuHomePage_Click() {
    OpenHomePage();
}
void frmCalendar::mnuAbout_Click() {
    frmAbout::ShowAbout(this);
}

// "Выбрать" is enabled exactly while the box holds something besides blanks; the button and Enter search.
void frmCalendar::strFind_Change() {
    cbFind->setEnabled(HasSearchText(strFind->text()));
}
void frmCalendar::strFind_Enter() {
    SearchYear();
}
void frmCalendar::cbFind_Click() {
    SearchYear();
}

void frmCalendar::SearchYear() {
    if (!HasSearchText(strFind->text()))
        return;
    if (NameDays->isChecked())
        FindNameDays(app_.View(), strFind->text());
    else
        FindInYear(app_.View(), strFind->text(), WholeWord->isChecked());
    selectionYear_ = {app_.State.CurStyle, app_.State.Cur().Year};
}

// The selection report belongs to the year it searched: another year searches again for the text that
// stands in the box, or empties the report when the box is empty.
void frmCalendar::FollowYearInSelection() {
    const std::pair<int16_t, int16_t> now{app_.State.CurStyle, app_.State.Cur().Year};
    if (selectionYear_.first == 0 || selectionYear_ == now)
        return;
    if (HasSearchText(strFind->text())) {
        SearchYear();
    } else {
        RichTextBox1[5]->SetDocument(rtf::Document{});
        selectionYear_ = {0, 0};
    }
}

} // namespace vorelian
