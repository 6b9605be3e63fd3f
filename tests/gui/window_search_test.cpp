// Searching in the window: the hit list, the answer in the caption, the web
// search when nothing matches, and the batch check.
#include <QApplication>
#include <QClipboard>
#include <QWebEngineView>
#include <QTest>

#include "app/controls.h"
#include "app/dialogs.h"
#include "gui_main.h"
#include "http_test_server.h"
#include "window_fixture.h"

using wy::Globals;
namespace seam = wy::testing;

class WindowSearchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;
    HttpTestServer web;

    // Small banks so that the expected lists are short.
    void useBanks(const std::string& mainText, const std::string& customText) {
        seam::SetNextOpenFileName(f->writeFile("main.txt", mainText));
        f->click("更换题库按钮");
        seam::SetNextOpenFileName(f->writeFile("custom.txt", customText));
        f->click("自定题库按钮");
    }

private slots:
    void initTestCase() { qputenv("WENYUAN_SEARCH_HOST", web.host()); }
    void init() {
        f = std::make_unique<WindowFixture>();
        useBanks(G("泸定桥在我国哪个省境内?【四川】\r\n纳米(NM)作单位,1NM等于?【10的负9次方】\r\n"
                   "\"菩提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【六祖坛经】\r\n"
                   "\"四羊方尊\"是哪个朝代的文物?【商】(正确)\r\n\"有板有眼\"的\"板\"是我国传统音乐节奏中的:强拍】\r\n"),
                 G("泸定桥在我国哪个省境内?【四川】\r\n\"善提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【明澈】"));
    }
    void cleanup() { f.reset(); }

    void listsCustomHitsFirstTaggedThenMainHits() {
        f->search(QStringLiteral("泸定桥"));
        QCOMPARE(f->items(), (QStringList{"(自定义)泸定桥在我国哪个省境内?【四川】", "泸定桥在我国哪个省境内?【四川】"}));
        QCOMPARE(f->text("信息4"), QStringLiteral("共2个"));
        QVERIFY(f->listOnTop());

        for (const QString& initials : {QStringLiteral("PTBWS"), QStringLiteral("ptbws"), QStringLiteral("ｐｔｂｗｓ")}) {
            f->search(initials);
            QCOMPARE(f->items(), QStringList{"\"菩提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【六祖坛经】"});
            QCOMPARE(f->text("搜索编辑框"), QStringLiteral("PTBWS"));  // the box shows the normalised text
        }
        f->search(QStringLiteral("NM"));
        QCOMPARE(f->items(), (QStringList{"纳米(NM)作单位,1NM等于?【10的负9次方】", "纳米(NM)作单位,1NM等于?【10的负9次方】"}));
    }

    void aPastedLineBreakDoesNotSpoilTheSearch() {
        QApplication::clipboard()->setText(QStringLiteral("泸定桥\r\n第二行"));
        f->box("搜索编辑框")->clear();
        f->box("搜索编辑框")->setFocus();
        QTest::keyClick(f->box("搜索编辑框"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f->text("搜索编辑框"), QStringLiteral("泸定桥"));
        QTest::keyClick(f->box("搜索编辑框"), Qt::Key_Return);
        QCOMPARE(f->model()->count(), 2);
    }

    void anEmptySearchListsTheWholeMainBankAndNoWebSearch() {
        int requests = web.requests.size();
        f->search(QStringLiteral("   "));
        QCOMPARE(f->model()->count(), 5);
        QCOMPARE(f->text("信息4"), QStringLiteral("共5个"));
        QVERIFY(f->listOnTop());
        QTest::qWait(200);
        QCOMPARE(web.requests.size(), requests);
    }

    void keysOtherThanEnterChangeNothing() {
        f->search(QStringLiteral("泸定桥"));
        f->box("搜索编辑框")->setText(QStringLiteral("ａｂ"));
        QTest::keyClick(f->box("搜索编辑框"), Qt::Key_End);
        QTest::keyClick(f->box("搜索编辑框"), Qt::Key_Space);
        QTest::keyClick(f->box("搜索编辑框"), Qt::Key_Escape);
        QCOMPARE(f->model()->count(), 2);
        QCOMPARE(f->text("搜索编辑框"), QStringLiteral("ａｂ "));
    }

    void selectingAnItemShowsItsAnswerAndCopiesIt() {
        struct Case {
            QString search;
            int row;
            QString caption;
        } cases[] = {
            {QStringLiteral("泸定桥"), 0, QStringLiteral("答案:四川")},
            {QStringLiteral("四羊方尊"), 0, QStringLiteral("答案:商")},
            {QStringLiteral("有板有眼"), 0, QStringLiteral("答案:\"有板有眼\"的\"板\"是我国传统音乐节奏中的:强拍")},
        };
        for (const auto& c : cases) {
            f->search(c.search);
            f->selectRow(c.row);
            QCOMPARE(f->window->windowTitle(), c.caption);
            QCOMPARE(f->text("搜索编辑框"), f->items().at(c.row));
            QCOMPARE(f->box("搜索编辑框")->cursorPosition(), f->text("搜索编辑框").size());
            QVERIFY(!f->box("搜索编辑框")->hasSelectedText());
        }
        f->search(QStringLiteral("泸定桥"));
        QCOMPARE(f->window->windowTitle(), QStringLiteral("[发布于砚舟软件站]问渊[纯人工核对录入]"));

        useBanks(G("只有开头【没有结尾\r\n没有标记的行\r\n【】空答案\r\n"), G("无关【无】"));
        for (int row = 0; row < 3; ++row) {
            f->search("");
            f->selectRow(row);
            QCOMPARE(f->window->windowTitle(), QStringLiteral("答案:"));
        }
    }

    void aTextThatIsNotGbkSurvivesSelectionByteForByte() {
        std::string odd = "\xFF\x41" + G("奇怪【答】");
        useBanks(odd + "\r\n", G("无关【无】"));
        f->search("");
        f->selectRow(0);
        QCOMPARE(f->control<wy::SearchBox>("搜索编辑框")->gbk(), odd);
    }

    void nothingFoundSendsTheBrowserToTheWebSearch() {
        f->search(QStringLiteral("成都"));
        QCOMPARE(f->model()->count(), 0);
        QCOMPARE(f->text("信息4"), QStringLiteral("共0个"));
        QVERIFY(!f->listOnTop());
        QTRY_VERIFY_WITH_TIMEOUT(web.received("GET /baidu?word=%B3%C9%B6%BC HTTP/1.1"), 20000);
    }

    void theTaggedItemSearchesForItselfAndFallsThroughToTheWeb() {
        f->search(QStringLiteral("泸定桥"));
        f->selectRow(0);
        QTest::keyClick(f->box("搜索编辑框"), Qt::Key_Return);
        QCOMPARE(f->model()->count(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(web.receivedStartingWith("GET /baidu?word=%28%D7%D4%B6%A8%D2%E5%29%E3%F2"), 20000);
        f->search(QStringLiteral("泸定桥在我国哪个省境内?【四川】"));
        QCOMPARE(f->model()->count(), 2);
        QVERIFY(f->listOnTop());
    }

    void aPageThatOpensANewWindowStaysInTheBrowser() {
        web.page = "<html><body style='margin:0'><a id='l' href='/landed' target='_blank' style='display:block;"
                   "width:400px;height:200px'>open</a></body></html>";
        f->search(QStringLiteral("成都"));
        QTRY_VERIFY_WITH_TIMEOUT(f->window->findChild<QWebEngineView*>(), 5000);
        auto* view = f->window->findChild<QWebEngineView*>();
        QTRY_VERIFY_WITH_TIMEOUT(web.received("GET /baidu?word=%B3%C9%B6%BC HTTP/1.1"), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(view->url().toString().contains("baidu"), 20000);
        QTest::qWait(500);
        QWidget* surface = view->focusProxy();
        QVERIFY(surface);
        int windowsBefore = QApplication::topLevelWidgets().size();
        QTest::mouseMove(surface, QPoint(100, 50));
        QTest::qWait(300);
        QTest::mouseMove(surface, QPoint(110, 60));
        QTest::qWait(300);
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(110, 60));
        QTRY_VERIFY_WITH_TIMEOUT(web.received("GET /landed HTTP/1.1"), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(view->url().path() == "/landed", 20000);
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
    }

    void theBatchCheckWalksForwardsAndBackwards() {
        seam::SetNextOpenFileName(f->writeFile("batch.txt", G("泸定桥\r\n纳米\r\n四羊方尊\r\n")));
        f->click("核对文本按钮");
        QCOMPARE(f->text("信息1"), QStringLiteral("0/3"));
        f->click("核对文本处理上按钮");  // nothing taken yet
        QCOMPARE(f->text("信息1"), QStringLiteral("0/3"));
        const QString lines[] = {QStringLiteral("泸定桥"), QStringLiteral("纳米"), QStringLiteral("四羊方尊")};
        for (int i = 1; i <= 3; ++i) {
            f->click("核对文本处理下按钮");
            QCOMPARE(f->text("信息1"), QStringLiteral("%1/3").arg(i));
            QCOMPARE(f->text("信息5"), QStringLiteral("正在处理%1个").arg(i));
            QCOMPARE(f->text("搜索编辑框"), lines[i - 1]);
        }
        QCOMPARE(f->model()->count(), 1);
        f->click("核对文本处理下按钮");  // the last line has been reached
        QCOMPARE(f->text("信息1"), QStringLiteral("3/3"));
        f->click("核对文本处理上按钮");
        QCOMPARE(f->text("信息1"), QStringLiteral("2/3"));
        QCOMPARE(f->text("搜索编辑框"), QStringLiteral("纳米"));
        QCOMPARE(f->items(), QStringList{"纳米(NM)作单位,1NM等于?【10的负9次方】"});

        seam::SetNextOpenFileName(std::nullopt);  // a cancel empties the list, the position stays
        f->click("核对文本按钮");
        QCOMPARE(f->text("信息1"), QStringLiteral("2/3"));
        f->click("核对文本处理下按钮");
        f->click("核对文本处理上按钮");
        QCOMPARE(f->text("信息1"), QStringLiteral("2/3"));
        QCOMPARE(Globals().BatchCheck.list.size(), 0u);
    }
};

WENYUAN_GUI_TEST_MAIN(WindowSearchTest)
#include "window_search_test.moc"
