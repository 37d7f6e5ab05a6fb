#include "ui/frmcalendar.h"

#include "core/calendar.h"
#include "core/recalc.h"
#include "core/tables.h"
#include "ui/busycursor.h"
#include "ui/calendarapp.h"
#include "ui/calendarmenus.h"
#include "ui/datepickers.h"
#include "ui/exportcommand.h"
#include "ui/fontdialog.h"
#include "ui/frmabout.h"
#include "ui/frmfind.h"
#include "ui/frmhelp.h"
#include "ui/helplinks.h"
#include "ui/monthgrid.h"
#include "ui/richtextview.h"
#include "ui/stylestable.h"
#include "ui/twips.h"
#include "ui/userclick.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidgetItem>

namespace vorelian {

namespace {

const char16_t* const kTabCaptions[] = {u"День",     u"Седмица", u"Месяц",     u"Год",
                                        u"Основные", u"Выборка", u"Сокращения"};

// The type of the tab captions, the search controls and the right-hand column: small and narrow, so the
// texts fit their cells.
constexpr int kControlPoints = 8;

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
    central_->setMinimumSize(kMinimumWindow - kNonClient);
    placement_.Apply(this, central_, s);

    MSFlexGrid1->SetBackColor(WinColor(GridColor(st.CurStyle, 1)));
    SetWeekDaysNames();
    menus_->CheckStyle(st.CurStyle);
    menus_->CheckTab(0);
    menus_->mnuIndiction->setChecked(s.ShowIndiction);
    menus_->mnuAllStyles->setChecked(s.ShowAllStyles);
    menus_->mnuFasting->setChecked(s.ShowFasting);
    menus_->CheckFirstWeekday(s.FirstWeekday);
    cbFind->setEnabled(false);
    SetYearsMonths();
    SetWeeks();
    // The abbreviations are a document of their own; without it the tab stays empty.
    LoadAbbreviations();
}

frmCalendar::~frmCalendar() = default;

void frmCalendar::LoadAbbreviations() {
    const QString& path = app_.Data.Files[DataFiles::Abbr];
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
    QFont tabFont(QStringLiteral("Arial"));
    tabFont.setPointSize(kControlPoints);
    SSTab1->tabBar()->setFont(tabFont);
    SSTab1->tabBar()->setStyle(new CompactTabStyle(SSTab1->tabBar()));
    for (int t = 0; t < 7; ++t)
        setupReportPage(t);

    Con1 = new QFrame(central_);
    Con1->setObjectName(QStringLiteral("Con1"));
    Con1->setGeometry(PxRect(6840, 120, 2625, 5325));
    Con1->setFont(tabFont);
    pickers_ = new DatePickers(Con1);
    MSFlexGrid1 = new MonthGrid(Con1);
    MSFlexGrid1->move(Px(225), Px(1905));
    MSFlexGrid2 = new StylesTable(MSFlexGrid1->width(), Con1);
    MSFlexGrid2->move(Px(225), Px(3825));
    cbToday = new QPushButton(QStringLiteral("Сегодня"), Con1);
    cbToday->setObjectName(QStringLiteral("cbToday"));
    cbToday->setGeometry(PxRect(225, 4725, 2175, 495));

    Con2 = new QFrame(central_);
    Con2->setObjectName(QStringLiteral("Con2"));
    Con2->setGeometry(PxRect(6840, 5715, 2625, 600));
    cbExit = new QPushButton(QStringLiteral("Закрыть"), Con2);
    cbExit->setObjectName(QStringLiteral("cbExit"));
    cbExit->setGeometry(PxRect(225, 45, 2175, 495));
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
        strFind->setFont(SSTab1->tabBar()->font());
        cbFind->setFont(SSTab1->tabBar()->font());
        WholeWord->setFont(SSTab1->tabBar()->font());
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
    const int top = Px(tab == 5 ? kSearchViewTop : kViewTop);
    place(RichTextBox1[tab], QRect(Px(kViewLeft), top, SSTab1->width() - Px(kViewLeft + kViewRight),
                                   SSTab1->height() - top - Px(kViewBottom)));
    if (tab == 5) {
        place(strFind, PxRect(150, 600, 4335, 375));
        place(cbFind, PxRect(4680, 600, 1815, 435));
        place(WholeWord, PxRect(150, 1020, 1395, 315));
    }
}

void frmCalendar::connectParts() {
    CalendarMenus& m = *menus_;
    for (int16_t s = 1; s <= 3; ++s)
        connect(m.mnuCal[s], &QAction::triggered, this, [this, s] { mnuCal_Click(s); });
    connect(m.mnuToday, &QAction::triggered, this, &frmCalendar::GoToday);
    for (int t = 0; t < 7; ++t)
        connect(m.mnuTab[t], &QAction::triggered, this, [this, t] { mnuTab_Click(t); });
    for (int i = 0; i < 2; ++i)
        connect(m.mnuFirstWD[i], &QAction::triggered, this, [this, i] { mnuFirstWD_Click(i); });
    connect(m.mnuIndiction, &QAction::triggered, this, &frmCalendar::mnuIndiction_Click);
    connect(m.mnuAllStyles, &QAction::triggered, this, &frmCalendar::mnuAllStyles_Click);
    connect(m.mnuFasting, &QAction::triggered, this, &frmCalendar::mnuFasting_Click);
    connect(m.mnuExit, &QAction::triggered, this, &frmCalendar::GoToExit);

    connect(m.mnuFile, &QMenu::aboutToShow, this, &frmCalendar::TestmnuFile);
    connect(m.mnuSaveAS, &QAction::triggered, this, &frmCalendar::mnuSaveAS_Click);
    connect(m.mnuExportIcal, &QAction::triggered, this, [this] {
        const auto engine = DayEngine::Load(QFileInfo(app_.Data.Files[DataFiles::January]).absolutePath());
        ExportCalendar(this, *engine, app_.State, app_.Options);
    });
    connect(m.mnuCopy, &QAction::triggered, this, &frmCalendar::mnuCopy_Click);
    connect(m.mnuCopyAll, &QAction::triggered, this, &frmCalendar::mnuCopyAll_Click);
    connect(m.mnuFind, &QAction::triggered, this, &frmCalendar::mnuFind_Click);
    connect(m.mnuFindSelText, &QAction::triggered, this, &frmCalendar::mnuFindSelText_Click);
    connect(m.mnuPrint, &QAction::triggered, this, &frmCalendar::mnuPrint_Click);
    connect(m.mnuFont, &QAction::triggered, this, &frmCalendar::mnuFont_Click);
    connect(m.mnuRange, &QAction::triggered, this, &frmCalendar::mnuRange_Click);
    connect(m.mnuHelp, &QAction::triggered, this, &frmCalendar::mnuHelp_Click);
    connect(m.mnuEMail, &QAction::triggered, this, &frmCalendar::mnuEMail_Click);
    connect(m.mnuHomePage, &QAction::triggered, this, &frmCalendar::mnuHomePage_Click);
    connect(m.mnuAbout, &QAction::triggered, this, &frmCalendar::mnuAbout_Click);
    m.mnuEMail->setEnabled(!ProjectContacts().EMail.isEmpty());
    m.mnuHomePage->setEnabled(!ProjectContacts().HomePage.isEmpty());
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

void frmCalendar::SetGridCal() {
    const CalendarState& st = app_.State;
    pickers_->SetBackground(WinColor(GridColor(st.CurStyle, 1)));
    MSFlexGrid1->Fill(st, app_.Options.FirstWeekday, app_.FastDays());
    pickers_->BeginUpdate();
    pickers_->SelectAll(st, app_.Options.FirstWeekday);
    SetDatesCal();
    pickers_->EndUpdate();
}

void frmCalendar::SetDatesCal() {
    MSFlexGrid2->SetDatesCal(app_.State);
}

void frmCalendar::GoToday() {
    const QDate today = app_.Today();
    SetGregorianDate(app_.State, int16_t(today.day()), int16_t(today.month()), int16_t(today.year()));
    SetGridCal();
    app_.BuildReport();
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
    const QString text = MSFlexGrid1->Text(row, col);
    if (text.isEmpty())
        return;
    const int16_t style = app_.State.CurStyle;
    MSFlexGrid1->SetRedraw(false);
    if (MSFlexGrid1->IsHighlighted(row, col, style)) {
        MSFlexGrid1->SetRedraw(true);
        return;
    }
    MSFlexGrid1->RestoreHighlighted();
    const int16_t day = int16_t(text.toInt());
    if (MSFlexGrid1->IsAdjacentMonth(row, col, style)) {
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
    if (!UserClick::DayAllowed(app_.State, style, app_.State.CurDayNumber)) {
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
    if (!UserClick::DayAllowed(app_.State, style, app_.State.CurDayNumber)) {
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
    MSFlexGrid1->Fill(app_.State, app_.Options.FirstWeekday, app_.FastDays());
    ClearReportStyles(app_.Out);
    app_.BuildReport();
}

void frmCalendar::ShowReport(int tab, const QByteArray& document) {
    if (tab >= 0 && tab < 7)
        RichTextBox1[tab]->Load(document);
}

// --- layout ---

void frmCalendar::Form_Resize() {
    if (isMinimized())
        return;
    const QSize client = central_->size();
    if (client.width() + kNonClient.width() >= Px(9600)) {
        Con1->move(client.width() - Con1->width(), Con1->y());
        Con2->move(client.width() - Con2->width(), Con2->y());
        SSTab1->resize(client.width() - Con1->width() - Px(120), SSTab1->height());
    }
    if (client.height() + kNonClient.height() >= Px(6850)) {
        Con2->move(Con2->x(), client.height() - Con2->height() - Px(50));
        SSTab1->resize(SSTab1->width(), client.height() - SSTab1->y() - Px(100));
    }
    // The report views follow the tab control as its pages are resized.
    pickers_->ReSizeCombo(client.height() - Con1->y());
}

bool frmCalendar::IsMenuShortcut(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* a : menus_->Actions())
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed)
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

void frmCalendar::GoToExit() {
    if (exiting_)
        return;
    exiting_ = true;
    Settings& s = app_.Options;
    s.Calendar = app_.State.CurStyle;
    s.WindowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    const bool normal = s.WindowState == 0;
    if (normal)
        placement_.Store(this, central_, s);
    s.MinYear = app_.State.MinYears[StyleJulian];
    s.MaxYear = app_.State.MaxYears[StyleJulian];
    app_.SaveSettings(normal);
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
    const int tab = VisibleTab();
    FileNameParts parts;
    parts.Tab = tab;
    parts.StyleText = pickers_->Combo1[0]->currentText();
    parts.YearText = pickers_->Combo1[1]->currentText();
    parts.MonthText = pickers_->Combo1[2]->currentText();
    parts.WeekText = pickers_->Combo1[3]->currentText();
    if (const QTableWidgetItem* day = MSFlexGrid1->currentItem())
        parts.GridDayText = day->text();
    parts.TabCaption = SSTab1->tabText(tab);
    fileCommands_.SaveAs(this, *View(tab), DefaultFileName(parts));
}

void frmCalendar::mnuCopy_Click() { FileCommands::Copy(*View(VisibleTab())); }
void frmCalendar::mnuCopyAll_Click() { FileCommands::CopyAll(*View(VisibleTab())); }
void frmCalendar::mnuPrint_Click() { FileCommands::Print(this, *View(VisibleTab())); }

void frmCalendar::mnuFind_Click() {
    frmFind::mnuFind(find_, this, [this] { return View(VisibleTab()); });
}

void frmCalendar::mnuFindSelText_Click() { FindSelText(this, View(VisibleTab())); }

void frmCalendar::mnuFont_Click() {
    ChangeReportFont(this, app_.Options, app_.Out, [this] { app_.BuildReport(); });
}

void frmCalendar::mnuRange_Click() { frmRange::ShowRange(this, app_.State, *this, &app_.Options); }
void frmCalendar::BuildReport() { app_.BuildReport(); }

void frmCalendar::mnuHelp_Click() { frmHelp::ShowHelp(this, HelpPage(app_.Places)); }
void frmCalendar::mnuEMail_Click() { OpenMailToAuthor(); }
void frmCalendar::mnuHomePage_Click() { OpenHomePage(); }
void frmCalendar::mnuAbout_Click() { frmAbout::ShowAbout(this); }

// "Выбрать" is enabled exactly while the box holds something besides blanks; the button and Enter search.
void frmCalendar::strFind_Change() { cbFind->setEnabled(HasSearchText(strFind->text())); }
void frmCalendar::strFind_Enter() { SearchYear(); }
void frmCalendar::cbFind_Click() { SearchYear(); }

void frmCalendar::SearchYear() {
    if (!HasSearchText(strFind->text()))
        return;
    ReportContext ctx = app_.Context();
    FindInYear(ctx, strFind->text(), WholeWord->isChecked());
}

} // namespace vorelian
