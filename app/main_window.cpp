#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "app/browser_box.h"
#include "app/build_settings.h"
#include "app/controls.h"
#include "app/dialogs.h"
#include "app/line_list_model.h"
#include "app/shared_state.h"
#include "app/skin.h"
#include "bank/editing.h"
#include "bank/question_line.h"
#include "data/embedded_data.h"
#include "bank/dedup.h"
#include "search/answer.h"
#include "search/batch.h"
#include "search/record_file.h"
#include "search/search_list.h"
#include "search/web_address.h"
#include "text/files.h"
#include "text/gbk_text.h"
#include "text/gbk_unicode.h"
#include "text/os.h"

namespace wy {

namespace {

const QString kTitle = QStringLiteral("[发布于砚舟软件站]问渊[纯人工核对录入]");
const QString kBankDialogPreset = QStringLiteral("取消为载入默认题库");
const QStringList kTextFileFilters = {QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件(*.*)")};
constexpr int kWindowWidth = 655, kWindowHeight = 350;

QString FromGbk(std::string_view bytes) {
    std::string utf8 = GbkToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToGbk(const QString& text) { return Utf8ToGbkLossy(text.toStdString()); }

// GBK bytes of a UTF-8 literal, for texts that become data.
std::string Gbk(const char* utf8) { return Utf8ToGbkLossy(utf8); }

QFont LargeFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(16);
    font.setWeight(QFont::Normal);
    return font;
}

// A square image of one character, blue on white.
QPixmap CharacterImage(const QString& character, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = LargeFont();
    font.setPixelSize(size * 7 / 8);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 255));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, character);
    return pixmap;
}

void SetColours(QWidget* widget, const QColor& text, const QColor& background) {
    QPalette p = widget->palette();
    for (auto role : {QPalette::Text, QPalette::WindowText}) p.setColor(role, text);
    for (auto role : {QPalette::Base, QPalette::Window}) p.setColor(role, background);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

}  // namespace

MainWindow::MainWindow(std::string programDirectory)
    : programDirectory_(programDirectory.empty() ? ProgramDirectory() : std::move(programDirectory)),
      searchTextMirror_(std::make_shared<std::string>()),
      searchTextMutex_(std::make_shared<std::mutex>()) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setObjectName(QStringLiteral("窗口"));
    setWindowIcon(QIcon(CharacterImage(QStringLiteral("答"), 48)));
    SetColours(this, Qt::yellow, Qt::black);
    resize(kWindowWidth, kWindowHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect s = screen->geometry();
        move(s.x() + (s.width() - kWindowWidth) / 2, s.y() + (s.height() - kWindowHeight) / 2);
    }
    buildControls();
    buildMenus();
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("时钟1"));
    connect(timer_, &QTimer::timeout, this, &MainWindow::TrimWorkingSet);
    timer_->start(1000);
}

MainWindow::~MainWindow() {
    // Workers hold no pointer into the window once stopped and joined.
    stopRemoval_ = true;
    for (QThread* thread : findChildren<QThread*>()) thread->wait();
}

QLineEdit* MainWindow::statusBox(QWidget* parent, const char* objectName, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromUtf8(objectName));
    box->setAccessibleName(box->objectName());
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::ClickFocus);
    SetColours(box, Qt::yellow, Qt::black);
    return box;
}

QGroupBox* MainWindow::groupBox(const QString& title, const char* objectName, QRect geometry) {
    auto* group = new QGroupBox(title, this);
    group->setObjectName(QString::fromUtf8(objectName));
    group->setAccessibleName(group->objectName());
    group->setGeometry(geometry);
    group->setAlignment(Qt::AlignLeft);
    SetColours(group, QColor(255, 0, 255), Qt::black);
    return group;
}

QPushButton* MainWindow::button(QWidget* parent, const QString& text, const char* objectName, QRect geometry) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromUtf8(objectName));
    b->setAccessibleName(b->objectName());
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::ClickFocus);  // buttons take no part in Tab navigation
    return b;
}

void MainWindow::buildControls() {
    pictureBox_ = new QLabel(this);
    pictureBox_->setObjectName(QStringLiteral("图片框1"));
    pictureBox_->setGeometry(0, 1, 30, 30);
    pictureBox_->setPixmap(CharacterImage(QStringLiteral("问"), 32));
    pictureBox_->setAlignment(Qt::AlignCenter);
    pictureBox_->setAutoFillBackground(true);
    pictureBox_->setPalette(QApplication::palette());

    searchBox_ = new SearchBox(this);
    searchBox_->setObjectName(QStringLiteral("搜索编辑框"));
    searchBox_->setAccessibleName(searchBox_->objectName());
    searchBox_->setGeometry(30, 1, 400, 30);
    searchBox_->setFont(LargeFont());
    searchBox_->setAlignment(Qt::AlignCenter);
    searchBox_->setMaxLength(std::numeric_limits<int>::max());
    searchBox_->setFocusPolicy(Qt::StrongFocus);
    SetColours(searchBox_, Qt::yellow, Qt::black);
    searchBox_->setText(QStringLiteral("输入题目概要按回车搜索(支持语句首拼音搜索)"));
    connect(searchBox_, &SearchBox::keyPressed, this, [this](int key, Qt::KeyboardModifiers m) {
        RunSearch(key == Qt::Key_Return || key == Qt::Key_Enter ? 13 : key, m);
    });
    connect(searchBox_, &SearchBox::rightPressed, this, &MainWindow::ShowSearchBoxMenu);
    connect(searchBox_, &SearchBox::doubleClicked, this, &MainWindow::ClearSearchBox);
    connect(searchBox_, &QLineEdit::textChanged, this, [this] {
        std::lock_guard lock(*searchTextMutex_);
        *searchTextMirror_ = searchBox_->gbk();
    });

    info4_ = statusBox(this, "信息4", QRect(430, 1, 70, 30));

    listModel_ = new LineListModel(this);
    listModel_->setItemHeight(QFontMetrics(LargeFont()).height() + 1);
    listBox_ = new ListBox(this);
    listBox_->setObjectName(QStringLiteral("列表框"));
    listBox_->setAccessibleName(listBox_->objectName());
    listBox_->setGeometry(0, 32, 500, 280);
    listBox_->setModel(listModel_);
    listBox_->setUniformItemSizes(true);
    listBox_->setSelectionMode(QAbstractItemView::SingleSelection);
    listBox_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    listBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listBox_->setTextElideMode(Qt::ElideNone);
    listBox_->setFont(LargeFont());
    listBox_->setFocusPolicy(Qt::ClickFocus);
    listBox_->setFrameShape(QFrame::StyledPanel);
    listBox_->setFrameShadow(QFrame::Sunken);
    SetColours(listBox_, Qt::yellow, Qt::black);
    connect(listBox_, &ListBox::itemSelected, this, &MainWindow::ShowAnswer);
    connect(listBox_, &ListBox::itemDoubleClicked, this, &MainWindow::DeleteQuestion);
    connect(listBox_, &ListBox::rightPressed, this, &MainWindow::ShowListMenu);

    browserBox_ = new BrowserBox(this);
    browserBox_->setObjectName(QStringLiteral("超文本浏览框"));
    browserBox_->setAccessibleName(browserBox_->objectName());
    browserBox_->setGeometry(0, 34, 500, 280);
    browserBox_->setNewWindowHandler([this] { RedirectNewWindow(); });

    QGroupBox* group5 = groupBox(QStringLiteral("信息"), "分组框5", QRect(502, 2, 140, 45));
    info5_ = statusBox(group5, "信息5", QRect(4, 17, 132, 24));

    QGroupBox* group4 = groupBox(QStringLiteral("题库"), "分组框4", QRect(502, 50, 140, 70));
    info2_ = statusBox(group4, "信息2", QRect(4, 15, 65, 24));
    connect(button(group4, QStringLiteral("自定题库"), "自定题库按钮", QRect(71, 15, 65, 24)), &QPushButton::clicked,
            this, &MainWindow::ChooseCustomBank);
    connect(button(group4, QStringLiteral("添加搜索框题目到题库"), "添加新题目按钮", QRect(4, 42, 132, 24)),
            &QPushButton::clicked, this, &MainWindow::AddQuestion);

    QGroupBox* group1 = groupBox(QStringLiteral("处理"), "分组框1", QRect(504, 123, 140, 70));
    info1_ = statusBox(group1, "信息1", QRect(4, 15, 65, 24));
    info1_->setText(QStringLiteral("0/0"));
    connect(button(group1, QStringLiteral("上"), "核对文本处理上按钮", QRect(71, 15, 32, 24)), &QPushButton::clicked,
            this, &MainWindow::BatchPrevious);
    connect(button(group1, QStringLiteral("下"), "核对文本处理下按钮", QRect(104, 15, 32, 24)), &QPushButton::clicked,
            this, &MainWindow::BatchNext);
    connect(button(group1, QStringLiteral("核对题库(批量搜索)"), "核对文本按钮", QRect(4, 42, 132, 24)),
            &QPushButton::clicked, this, &MainWindow::LoadBatchList);

    QGroupBox* group3 = groupBox(QStringLiteral("设置"), "分组框3", QRect(504, 196, 140, 70));
    info3_ = statusBox(group3, "信息3", QRect(4, 15, 65, 24));
    connect(button(group3, QStringLiteral("更换题库"), "更换题库按钮", QRect(71, 15, 65, 24)), &QPushButton::clicked,
            this, &MainWindow::ReplaceBank);
    connect(button(group3, QStringLiteral("保存列表中题库"), "保存现题库按钮", QRect(4, 41, 132, 24)),
            &QPushButton::clicked, this, &MainWindow::SaveBank);

    QGroupBox* group2 = groupBox(QStringLiteral("官方"), "分组框2", QRect(504, 269, 140, 45));
    connect(button(group2, QStringLiteral("查看更新"), "更新按钮", QRect(4, 17, 65, 24)), &QPushButton::clicked, this,
            &MainWindow::OpenUpdatePage);
    connect(button(group2, QStringLiteral("使用说明"), "说明按钮", QRect(71, 17, 65, 24)), &QPushButton::clicked, this,
            &MainWindow::ShowUsage);

    setTabOrder(searchBox_, searchBox_);
}

void MainWindow::buildMenus() {
    listMenu_ = new QMenu(this);
    listMenu_->setObjectName(QStringLiteral("列表框菜单"));
    connect(listMenu_->addAction(QStringLiteral("记录题目")), &QAction::triggered, this, &MainWindow::RecordQuestion);
    connect(listMenu_->addAction(QStringLiteral("修改题目")), &QAction::triggered, this, &MainWindow::ModifyQuestion);
    connect(listMenu_->addAction(QStringLiteral("添加题库")), &QAction::triggered, this, &MainWindow::AppendBank);
    connect(listMenu_->addAction(QStringLiteral("删除重复")), &QAction::triggered, this,
            &MainWindow::StartRemoveDuplicates);
    connect(listMenu_->addAction(QStringLiteral("删除题目")), &QAction::triggered, this, &MainWindow::DeleteQuestion);

    searchBoxMenu_ = new QMenu(this);
    searchBoxMenu_->setObjectName(QStringLiteral("搜索框菜单"));
    connect(searchBoxMenu_->addAction(QStringLiteral("添加题目")), &QAction::triggered, this, &MainWindow::AddQuestion);
    connect(searchBoxMenu_->addAction(QStringLiteral("复制选中")), &QAction::triggered, this, &MainWindow::SendCopyKeys);
    connect(searchBoxMenu_->addAction(QStringLiteral("粘贴内容")), &QAction::triggered, this, &MainWindow::SendPasteKeys);
}

// ---------------------------------------------------------------- shell

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    // The outer size, frame included, is 655 x 350 wherever a frame exists.
    QTimer::singleShot(0, this, [this] {
        QSize extra = frameGeometry().size() - size();
        if (extra.width() > 0 || extra.height() > 0) resize(QSize(kWindowWidth, kWindowHeight) - extra);
    });
    searchBox_->setFocus();
}

bool MainWindow::focusNextPrevChild(bool) {
    searchBox_->setFocus(Qt::TabFocusReason);
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A running duplicate removal is told to stop; it works on its own copy,
    // so nothing of the bank is lost, and the window waits for it to end.
    stopRemoval_ = true;
    if (removal_) removal_->wait();
    event->accept();
}

void MainWindow::TrimWorkingSet() { os::TrimWorkingSet(); }

void MainWindow::StartUp() {
    setWindowTitle(kTitle);
    Globals().RunDir = Concat(programDirectory_, os::kDirSeparator);
    LoadMainBank(1);
    std::string config = configPath();
    if (FileExists(config) && FileExists(ReadConfig(config, Gbk("搜索器配置"), Gbk("自定题库配置")))) {
        LoadCustomBank(1);
    } else {
        LoadCustomBank(0);
    }
    setStyleSheet(SkinStyleSheet(SkinScheme::Silver));
    listBox_->raise();
}

void MainWindow::setStatus(QLineEdit* box, std::string_view gbk) { box->setText(FromGbk(gbk)); }

void MainWindow::setCaption(std::string_view gbk) { setWindowTitle(FromGbk(gbk)); }

std::string MainWindow::outcome(const char* utf8Text) {
    return Concat(Gbk(utf8Text), NumberToText(RandomNumber(100, 999)));
}

void MainWindow::ShowStatus(int mode) {
    if (mode == 1) {
        searchBox_->setEnabled(false);
        for (QLineEdit* box : {info5_, info4_, info3_}) box->setText(QStringLiteral("处理中..."));
        return;
    }
    std::string count = NumberToText(static_cast<std::int32_t>(Globals().Bank.size()));
    setStatus(info3_, count);
    setStatus(info4_, Concat(Gbk("共"), count, Gbk("个")));
    SeedRandom();
    setStatus(info5_, outcome("操作成功"));
    searchBox_->setEnabled(true);
}

void MainWindow::ShowListMenu() {
    searchBox_->setGbk(NormalizeQuestion(searchBox_->gbk()));
    if (QAction* chosen = PopUpMenu(*listMenu_)) chosen->trigger();
}

void MainWindow::ShowSearchBoxMenu() {
    if (QAction* chosen = PopUpMenu(*searchBoxMenu_)) chosen->trigger();
}

void MainWindow::ClearSearchBox() { searchBox_->setGbk(""); }

void MainWindow::ShowUsage() {
    QString title = QStringLiteral("作者及软件更新:扣扣") + QStringLiteral(WENYUAN_CONTACT_NUMBER);
    QString text = QStringLiteral("软件使用说明:") + QStringLiteral(WENYUAN_DICTIONARY_SITE) +
                   QStringLiteral(
                       "\r\n\r\nTab键快速切到搜索输入框,支持语句首拼音搜索和汉字搜索!\r\n\r\n例:\"善提本无树,明镜亦非台,"
                       "本来无一物,何处惹尘埃\"出自【明澈】\r\n\r\n可以在搜索框打入\"善提本无树\"或者首拼\"STBWS\"即(善s提t本b无w"
                       "树s)可得到答案.\r\n");
    ShowInformation(title, text);
}

void MainWindow::OpenUpdatePage() {
    QString page = QStringLiteral(WENYUAN_UPDATE_PAGE);
    if (!page.isEmpty()) QDesktopServices::openUrl(QUrl(page));
}

namespace {
// Ctrl and a letter, typed into whichever control has the focus once the
// menu has closed and the event queue reaches them.
void SendShortcut(Qt::Key key) {
    QTimer::singleShot(0, [key] {
        QWidget* target = QApplication::focusWidget();
        if (!target) return;
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    });
}
}  // namespace

void MainWindow::SendCopyKeys() { SendShortcut(Qt::Key_C); }

void MainWindow::SendPasteKeys() { SendShortcut(Qt::Key_V); }

// ---------------------------------------------------------------- loading

std::string MainWindow::configPath() const {
    return Concat(programDirectory_, os::kDirSeparator, Gbk("搜索器配置.ini"));
}

namespace {
// The whole text of an opened file (see ReadText), and the file closed; a
// text too large for memory counts as a file that cannot be read.
std::optional<std::string> ReadAndClose(int h) {
    if (h == 0) return std::nullopt;
    try {
        std::string text = ReadText(h);
        CloseFile(h);
        return text;
    } catch (const std::bad_alloc&) {
        CloseFile(h);
        return std::nullopt;
    }
}
}  // namespace

void MainWindow::LoadMainBank(int mode) {
    std::optional<std::string> text;
    if (mode == 1) {
        text = std::string(BuiltInBank());
    } else {
        text = ReadAndClose(OpenFile(ToGbk(AskOpenFileName(this, {kBankDialogPreset, kTextFileFilters}))));
        if (!text) {
            LoadMainBank(1);
            return;
        }
    }
    ShowStatus(1);
    try {
        TextArray lines = ImportBankText(*text);
        text.reset();
        Globals().Bank.addAll(lines);
        listModel_->setItems(std::move(lines));
    } catch (const std::bad_alloc&) {
        // Too large to hold: the bank stays as it was, and the list with it.
        ShowStatus(2);
        setStatus(info5_, outcome("载入失败"));
        return;
    }
    ShowStatus(2);
}

void MainWindow::LoadCustomBank(int mode) {
    std::string text;
    if (mode == 1) {
        text = ReadAndClose(OpenFile(ReadConfig(configPath(), Gbk("搜索器配置"), Gbk("自定题库配置")))).value_or("");
    } else {
        text = std::string(BuiltInCustomBank());
    }
    setCustomBank(text);
}

// Makes the lines of the text the custom bank, as read, and shows their count.
void MainWindow::setCustomBank(std::string_view text) {
    try {
        Globals().CustomBank.assign(Split(text, "\r\n"));
    } catch (const std::bad_alloc&) {
        Globals().CustomBank.clear();
    }
    setStatus(info2_, NumberToText(static_cast<std::int32_t>(Globals().CustomBank.size())));
}

void MainWindow::WriteConfigValue(std::string_view key, std::string_view value) {
    WriteConfig(configPath(), Gbk("搜索器配置"), key, value);
}

void MainWindow::ReplaceBank() {
    if (refuseDuringRemoval()) return;
    Globals().Bank.clear();
    LoadMainBank(2);
}

void MainWindow::AppendBank() {
    if (refuseDuringRemoval()) return;
    LoadMainBank(2);
}

void MainWindow::ChooseCustomBank() {
    Globals().CustomBank.clear();
    std::string path = ToGbk(AskOpenFileName(this, {kBankDialogPreset, kTextFileFilters}));
    if (std::optional<std::string> text = ReadAndClose(OpenFile(path))) {
        setCustomBank(*text);
        WriteConfigValue(Gbk("自定题库配置"), path);
    } else {
        LoadCustomBank(0);
        WriteConfigValue(Gbk("自定题库配置"), "");
    }
}

// ---------------------------------------------------------------- search

void MainWindow::RunSearch(int key, Qt::KeyboardModifiers) {
    if (key != 13) return;
    std::string text = NormalizeQuestion(searchBox_->gbk());
    searchBox_->setGbk(text);
    listModel_->clear();
    listBox_->raise();
    setWindowTitle(kTitle);
    listModel_->setItems(HitList(Globals().CustomBank, Globals().Bank, text));
    if (listModel_->count() > 0 || text.empty()) {
        listBox_->raise();
    } else {
        browserBox_->raise();
        auto* worker = QThread::create([this] { WebSearch(); });
        worker->setParent(this);
        connect(worker, &QThread::finished, worker, &QObject::deleteLater);
        worker->start();
    }
    setStatus(info4_, Concat(Gbk("共"), NumberToText(listModel_->count()), Gbk("个")));
}

void MainWindow::ShowAnswer() {
    int row = selectedRow();
    std::string item(listModel_->itemText(row));
    setCaption(Concat(Gbk("答案:"), ExtractBetween(item, kOpenMarker, kCloseMarker)));
    searchBox_->setGbk(listModel_->itemText(row));
    searchBox_->setCursorPosition(static_cast<int>(searchBox_->text().size()));
    searchBox_->deselect();
}

// Runs on a worker thread: reads the search box as it is now and hands the
// address to the window's thread, without waiting for it.
void MainWindow::WebSearch() {
    std::string bytes;
    {
        std::lock_guard lock(*searchTextMutex_);
        bytes = *searchTextMirror_;
    }
    QByteArray host = qgetenv("WENYUAN_SEARCH_HOST");
    if (host.isEmpty()) host = WENYUAN_SEARCH_HOST;
    QString address = QString::fromStdString(WebSearchAddress(host.toStdString(), bytes));
    QMetaObject::invokeMethod(this, [this, address] { navigateBrowser(address); }, Qt::QueuedConnection);
}

void MainWindow::navigateBrowser(const QString& address) { browserBox_->navigate(address); }

QString MainWindow::browserAddress() const { return browserBox_->address(); }

bool MainWindow::RedirectNewWindow() {
    QString status = browserBox_->statusText();
    if (!status.isEmpty()) browserBox_->navigate(status);
    return false;
}

// ---------------------------------------------------------------- batch check

void MainWindow::LoadBatchList() {
    QString name = AskOpenFileName(this, {QStringLiteral("*.Txt"), kTextFileFilters});
    std::string text = ReadAndClose(OpenFile(ToGbk(name))).value_or("");
    if (auto position = LoadBatch(Globals().BatchCheck, text)) setStatus(info1_, *position);
}

void MainWindow::BatchNext() { searchBatchLine(StepBatchForward(Globals().BatchCheck)); }

void MainWindow::BatchPrevious() { searchBatchLine(StepBatchBack(Globals().BatchCheck)); }

// Puts the batch line into the search box and searches it as Enter would.
void MainWindow::searchBatchLine(const std::optional<BatchStep>& step) {
    if (!step) return;
    setStatus(info1_, step->positionText);
    searchBox_->setGbk(step->line);
    setStatus(info5_, step->progressText);
    RunSearch(13);
}

// ---------------------------------------------------------------- editing

int MainWindow::selectedRow() const {
    QModelIndexList selected = listBox_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

bool MainWindow::SaveBank() {
    // A change that could not be saved must not read as a success: it is
    // only in memory and would be lost with the window.
    bool saved = WriteWholeFile(Concat(Globals().RunDir, kSavedBankFileName), BankText(Globals().Bank.lines()));
    if (!saved) setStatus(info5_, outcome("保存失败"));
    return saved;
}

// This run's new-entries file: a name no earlier run has used, so starting
// a new file never truncates the entries of another run ("" if none is free).
std::string MainWindow::newEntryFileName() {
    SeedRandom();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string name = Concat(Globals().RunDir, Gbk("新录入题目"), NumberToText(RandomNumber(10000, 99999)), ".txt");
        if (!FileExists(name)) return name;
    }
    return {};
}

void MainWindow::AddQuestion() {
    if (refuseDuringRemoval()) return;
    std::string question = NormalizeQuestion(searchBox_->gbk());
    if (!AddQuestionIfNew(question)) return;
    SharedState& g = Globals();
    if (!g.NewEntryFileOpen) {
        std::string name = newEntryFileName();
        WriteWholeFile(name, "");
        g.NewEntryFile = OpenFile(name);
        g.NewEntryFileOpen = true;
    }
    WriteLine(g.NewEntryFile, question);
    SaveBank();
}

bool MainWindow::AddQuestionIfNew(const std::string& question) {
    if (!IsNewQuestion(Globals().Bank.lines(), question)) {
        setStatus(info5_, Gbk("录入题目为重复语句"));
        return false;
    }
    Globals().Bank.add(question);
    ShowStatus(2);
    return true;
}

void MainWindow::ModifyQuestion() {
    if (refuseDuringRemoval()) return;
    int row = selectedRow();
    std::string item(listModel_->itemText(row)), box = searchBox_->gbk();
    auto line = LineToModify(Globals().Bank.lines(), box,
                             row >= 0 ? std::optional<std::string_view>(item) : std::nullopt);
    if (!line) {
        setStatus(info5_, outcome("禁止修改"));
        return;
    }
    Globals().Bank.removeAt(*line);
    Globals().Bank.add(box);
    listModel_->replaceAt(row, box);
    setStatus(info5_, outcome("成功修改"));
    SaveBank();
}

void MainWindow::DeleteQuestion() {
    if (refuseDuringRemoval()) return;
    int row = selectedRow();
    if (row < 0) {
        setStatus(info5_, outcome("删除题目失败"));
        return;
    }
    ShowStatus(1);
    auto line = LineToDelete(Globals().Bank.lines(), searchBox_->gbk(), true);
    if (!line) {
        ShowStatus(2);
        setStatus(info5_, outcome("删除题目失败"));
        return;
    }
    listModel_->removeAt(row);
    setCaption(Concat(Gbk("删除题目:"), Globals().Bank[*line]));
    Globals().Bank.removeAt(*line);
    ShowStatus(2);
    SaveBank();
}

void MainWindow::RecordQuestion() {
    std::string item(listModel_->itemText(selectedRow()));
    RecordOutcome result = RecordOutcome::Failed;
    try {
        result = RecordInFile(Concat(Globals().RunDir, kRecordFileName), item);
    } catch (const std::bad_alloc&) {
        // a record file too large to read is one that cannot be read
    }
    setStatus(info5_, outcome(result == RecordOutcome::Added ? "成功添加" : "添加失败"));
}

// ---------------------------------------------------------------- duplicate removal

// The worker sorts a copy of the bank through the table files and hands the
// result back to the window's thread, which replaces Bank. So no search ever
// reads Bank while it is being replaced, and edits of Bank are refused until
// the result is in (they would be lost by the replacement).
void MainWindow::StartRemoveDuplicates() {
    if (removal_) return;  // one removal at a time
    stopRemoval_ = false;
    itemsBeforeRemoval_ = listModel_->items();
    auto lines = std::make_shared<TextArray>(Globals().Bank.lines());
    removal_ = QThread::create([this, lines] {
        std::optional<std::string> result = DedupLines(*lines, &stopRemoval_);
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result)]() mutable { finishRemoveDuplicates(std::move(result)); },
            Qt::QueuedConnection);
    });
    removal_->setParent(this);
    removal_->start();
    ShowStatus(1);
    listModel_->clear();
}

// Edits of the bank wait until a running removal has handed its result
// back; until then they are refused, and the user is told why.
bool MainWindow::refuseDuringRemoval() {
    if (!removal_) return false;
    setStatus(info5_, outcome("正在删除重复"));
    return true;
}

void MainWindow::finishRemoveDuplicates(std::optional<std::string> result) {
    removal_->wait();
    removal_->deleteLater();
    removal_ = nullptr;
    if (result) {
        Globals().Bank.assign(Split(*result, "\r\n"));
        listModel_->setItems(Globals().Bank.lines());
        ShowStatus(2);
    } else {
        listModel_->setItems(std::move(itemsBeforeRemoval_));
        ShowStatus(2);
        setStatus(info5_, outcome("删除重复失败"));
    }
    itemsBeforeRemoval_.clear();
    emit removalFinished();
}

}  // namespace wy
