// The pieces every window shares: the application's error box, the desktop services, the window
// base, the about box, the loading animation and the message box.

#include "AppServices.h"
#include "ApplicationEnvironment.h"
#include "TApplication.h"
#include "frm_About.h"
#include "frm_Root.h"
#include "untCommon.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMovie>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString AppTitle = QStringLiteral("FREE Zorvanel Translator");

ZORVANEL_QT_TEST_APPLICATION(zorvanel::test::TApplicationEnvironment);

struct TShownMessage
{
    QWidget* Parent;
    QString Caption;
    QString Text;
    int Kind;
};

class TRecordingServices final : public TAppServices
{
public:
    QString GetOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString GetSaveFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    int ShowMessage(QWidget* parent, const QString& caption, const QString& text, int kind) override
    {
        Messages.push_back({parent, caption, text, kind});
        return Answer;
    }
    void ShowError(const QString& text) override { Errors.push_back(text); }
    void OpenUrl(const QUrl&) override {}
    std::unique_ptr<QPrinter> DefaultPrinter() override { return nullptr; }

    std::vector<QString> Errors;
    std::vector<TShownMessage> Messages;
    int Answer = 1;
};

class RecordedServicesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto services = std::make_unique<TRecordingServices>();
        FServices = services.get();
        SetAppServices(std::move(services));
    }
    void TearDown() override { SetAppServices(nullptr); }

    TRecordingServices* FServices = nullptr;
};

// Plays the user's part in modal dialogs: each step gets the next modal window that shows. A
// window beyond the script is closed and counted, so a wrong dialog fails the test instead of
// hanging it.
class TModalScript
{
public:
    using TStep = std::function<void(QWidget* modal)>;

    explicit TModalScript(std::vector<TStep> steps) : FSteps(std::move(steps))
    {
        FTimer.setInterval(10);
        QObject::connect(&FTimer, &QTimer::timeout, &FTimer, [this] { Poll(); });
        FTimer.start();
    }

    int Unexpected() const { return FUnexpected; }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == FLast)
            return;
        FLast = modal;
        if (FNext < FSteps.size()) {
            // Queued, so that a box the step opens in turn finds this timer free to fire.
            QMetaObject::invokeMethod(
                modal, [step = FSteps[FNext++], modal] { step(modal); }, Qt::QueuedConnection);
        } else {
            ++FUnexpected;
            modal->close();
        }
    }

    std::vector<TStep> FSteps;
    std::size_t FNext = 0;
    QPointer<QWidget> FLast;
    int FUnexpected = 0;
    QTimer FTimer;
};

// --- The application's standard error box ---------------------------------------------------

const auto ThrowingEvent = QEvent::Type(QEvent::User + 7);

class TThrowingObject : public QObject
{
public:
    explicit TThrowingObject(std::function<void()> handler) : FHandler(std::move(handler)) {}

    bool event(QEvent* event) override
    {
        if (event->type() != ThrowingEvent)
            return QObject::event(event);
        FHandler();
        return true;
    }

private:
    std::function<void()> FHandler;
};

struct TFullStopCase
{
    const char16_t* Thrown;
    const char16_t* Shown;
};

void PrintTo(const TFullStopCase& row, std::ostream* out)
{
    PrintTo(QString::fromUtf16(row.Thrown), out);
}

class ErrorBoxFullStopTest : public RecordedServicesTest, public ::testing::WithParamInterface<TFullStopCase>
{
};

TEST_P(ErrorBoxFullStopTest, AddsAFullStopWhenTheLastCharacterSortsAfterIt)
{
    const QString thrown = QString::fromUtf16(GetParam().Thrown);
    TThrowingObject receiver([&] { throw std::runtime_error(thrown.toStdString()); });
    QEvent event(ThrowingEvent);

    QCoreApplication::sendEvent(&receiver, &event);

    ASSERT_EQ(FServices->Errors.size(), 1u);
    EXPECT_EQ(FServices->Errors[0], QString::fromUtf16(GetParam().Shown));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ErrorBoxFullStopTest,
    ::testing::Values(TFullStopCase{u"Resource LOADING not found", u"Resource LOADING not found."},
                      TFullStopCase{u"Done.", u"Done."}, TFullStopCase{u"Stop!", u"Stop!"},
                      TFullStopCase{u"(see above)", u"(see above)"}, TFullStopCase{u"", u""},
                      TFullStopCase{u"Error 404", u"Error 404."},
                      TFullStopCase{u"ends in a dash-", u"ends in a dash-"},
                      TFullStopCase{u"ends in a slash/", u"ends in a slash/."},
                      TFullStopCase{u"trailing blank ", u"trailing blank "},
                      TFullStopCase{u"تعذر الاتصال", u"تعذر الاتصال."}));

TEST_F(RecordedServicesTest, ErrorBoxShowsAGenericTextForAPostedEventThatThrowsSomethingElse)
{
    int delivered = 0;
    TThrowingObject receiver([&] {
        if (++delivered == 1)
            throw 42;
    });

    QCoreApplication::postEvent(&receiver, new QEvent(ThrowingEvent));
    QCoreApplication::sendPostedEvents(&receiver, ThrowingEvent);
    ASSERT_EQ(FServices->Errors.size(), 1u);
    EXPECT_FALSE(FServices->Errors[0].isEmpty());
    EXPECT_TRUE(FServices->Errors[0].endsWith(u'.'));

    // The application goes on: the next event reaches the same handler.
    QCoreApplication::postEvent(&receiver, new QEvent(ThrowingEvent));
    QCoreApplication::sendPostedEvents(&receiver, ThrowingEvent);
    EXPECT_EQ(delivered, 2);
    EXPECT_EQ(FServices->Errors.size(), 1u);
}

// Qt's widget code is built without unwinding clean-ups, so the copies of an event it makes on
// the way to a handler leak when the handler throws: a few hundred bytes per error box, the
// known price of showing the error where it arose. The leak checker is told to expect them.
class TLeakCheckPause
{
public:
#if defined(__SANITIZE_ADDRESS__)
    TLeakCheckPause()
    {
        __lsan_disable();
    }
    ~TLeakCheckPause()
    {
        __lsan_enable();
    }
#else
    TLeakCheckPause() = default;
#endif
    TLeakCheckPause(const TLeakCheckPause&) = delete;
    TLeakCheckPause& operator=(const TLeakCheckPause&) = delete;
};

TEST_F(RecordedServicesTest, ErrorBoxCatchesAClickHandlerAndLeavesTheButtonUsable)
{
    [[maybe_unused]] const TLeakCheckPause pause;
    QPushButton button(QStringLiteral("Translate"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, [&] {
        ++clicks;
        throw std::runtime_error("Resource LOADING not found");
    });
    button.show();

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);

    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(button.isDown());
    EXPECT_EQ(FServices->Errors, (std::vector<QString>{QStringLiteral("Resource LOADING not found."),
                                                       QStringLiteral("Resource LOADING not found.")}));
}

// --- Desktop services: Qt's message boxes and file dialog -----------------------------------

struct TMessageBoxCase
{
    int Kind;
    QMessageBox::Icon Icon;
    QMessageBox::StandardButtons Buttons;
    int Key; // 0: press the button below instead
    QMessageBox::StandardButton Press;
    int Result;
};

class QtMessageBoxTest : public ::testing::TestWithParam<TMessageBoxCase>
{
};

TEST_P(QtMessageBoxTest, ShowsTheKindsIconAndButtonsAndAnswersThePressedOne)
{
    const TMessageBoxCase& row = GetParam();
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString caption;
    QString text;
    TModalScript user({[&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        buttons = box->standardButtons();
        caption = box->windowTitle();
        text = box->text();
        if (row.Key)
            QTest::keyClick(box, Qt::Key(row.Key));
        else
            box->button(row.Press)->click();
    }});

    const int result =
        AppServices().ShowMessage(nullptr, AppTitle, QStringLiteral("Socket Error # 10060"), row.Kind);

    EXPECT_EQ(user.Unexpected(), 0);
    EXPECT_EQ(icon, row.Icon);
    EXPECT_EQ(buttons, row.Buttons);
    EXPECT_EQ(caption, AppTitle);
    EXPECT_EQ(text, QStringLiteral("Socket Error # 10060"));
    EXPECT_EQ(result, row.Result);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, QtMessageBoxTest,
    ::testing::Values(TMessageBoxCase{0, QMessageBox::Warning, QMessageBox::Ok, 0, QMessageBox::Ok, 1},
                      TMessageBoxCase{1, QMessageBox::Critical, QMessageBox::Ok, 0, QMessageBox::Ok, 1},
                      TMessageBoxCase{2, QMessageBox::Information, QMessageBox::Ok, 0, QMessageBox::Ok, 1},
                      TMessageBoxCase{3, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, 0,
                                      QMessageBox::Ok, 1},
                      TMessageBoxCase{3, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, 0,
                                      QMessageBox::Cancel, 2},
                      TMessageBoxCase{3, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel,
                                      Qt::Key_Escape, QMessageBox::NoButton, 2},
                      TMessageBoxCase{7, QMessageBox::NoIcon, QMessageBox::Ok, 0, QMessageBox::Ok, 1},
                      TMessageBoxCase{7, QMessageBox::NoIcon, QMessageBox::Ok, Qt::Key_Escape,
                                      QMessageBox::NoButton, 1}));

TEST(QtServicesTest, ErrorBoxHasTheApplicationTitleTheErrorIconAndOk)
{
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    TModalScript user({[&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    }});

    AppServices().ShowError(QStringLiteral("Resource LOADING not found."));

    EXPECT_EQ(user.Unexpected(), 0);
    EXPECT_EQ(caption, AppTitle);
    EXPECT_EQ(text, QStringLiteral("Resource LOADING not found."));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::Ok);
}

TEST(QtServicesTest, SaveDialogAddsTheChosenTypesSuffixAndReplacesAFileWithoutAsking)
{
    const QString filter = QStringLiteral("Text Files (*.txt);;HTML Files (*.html *.htm)");
    struct TRow
    {
        QString Entry;
        QString Typed;
        QString Expected;
    };
    const TRow rows[] = {
        {QStringLiteral("Text Files (*.txt)"), QStringLiteral("output"), QStringLiteral("output.txt")},
        {QStringLiteral("HTML Files (*.html *.htm)"), QStringLiteral("report"), QStringLiteral("report.htm")},
        {QStringLiteral("HTML Files (*.html *.htm)"), QStringLiteral("report.txt"),
         QStringLiteral("report.txt")},
        {QStringLiteral("Text Files (*.txt)"), QStringLiteral("page.html"), QStringLiteral("page.html")},
    };
    for (const TRow& row : rows) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        // An existing file of the name is replaced without a question.
        QFile existing(dir.filePath(row.Expected));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.close();
        TModalScript user({[&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(dir.path());
            dialog->selectNameFilter(row.Entry);
            // Typed, as a user would: selectFile leaves alone a name field that has the focus.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(row.Typed);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its own accept()
        }});

        const QString chosen =
            AppServices().GetSaveFileName(nullptr, filter, {QStringLiteral("txt"), QStringLiteral("htm")});

        EXPECT_EQ(user.Unexpected(), 0) << row.Typed.toStdString();
        EXPECT_EQ(QFileInfo(chosen).canonicalFilePath(), QFileInfo(existing).canonicalFilePath())
            << row.Typed.toStdString() << " gave " << chosen.toStdString();
    }
}

// --- The window base and the about box -------------------------------------------------------

TEST(RootWindowTest, FormCreateLetsOnlyPanelsOfTheirOwnColourPaintTheirBackground)
{
    TfrmRoot window;
    const auto colouredPanel = [](QWidget* parent) {
        auto* panel = new TPanel(parent);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, Qt::darkRed);
        panel->setPalette(palette);
        return panel;
    };
    TPanel* coloured = colouredPanel(&window);
    TPanel* nested = colouredPanel(new QWidget(&window));
    auto* plain = new TPanel(&window);
    auto* frame = new QFrame(&window);
    frame->setPalette(coloured->palette());

    window.FormCreate();

    EXPECT_TRUE(coloured->autoFillBackground());
    EXPECT_TRUE(nested->autoFillBackground());
    EXPECT_FALSE(plain->autoFillBackground());
    EXPECT_FALSE(frame->autoFillBackground());
}

TEST(RootWindowTest, FirstShowCentresOnTheScreenEvenOverAParentLaterShowsKeepThePlace)
{
    QWidget parent;
    parent.setGeometry(0, 0, 120, 90);
    parent.show();
    TfrmAbout about(&parent);

    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint offset = about.frameGeometry().center() - screenCentre;
    // The frame is not known before the first show; it may shift the window by its width.
    EXPECT_LE(offset.manhattanLength(), 2 * 30) << offset.x() << ", " << offset.y();

    about.hide();
    about.move(10, 20);
    about.show();
    EXPECT_EQ(about.pos(), QPoint(10, 20));
}

TEST(AboutBoxTest, FillsItsLabelsWhenCreated)
{
    TfrmAbout about;

    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about.labProduct->text(), QStringLiteral("FREE Zorvanel Translator"));
    EXPECT_EQ(about.labVer->text(), QStringLiteral("Ver 4.0.0 (Build 20160809)"));
    EXPECT_EQ(about.labCopy->text(), CopyrightNotice());
    EXPECT_TRUE(about.labCopy->text().contains(QDate::currentDate().toString(QStringLiteral("yyyy"))));
    EXPECT_FALSE(about.labCopy->text().contains(u'\n'));
}

TEST(AboutBoxTest, IsFixedAndPlacesEveryControlWithItsFont)
{
    TfrmAbout about;
    EXPECT_EQ(about.minimumSize(), QSize(367, 192));
    EXPECT_EQ(about.maximumSize(), QSize(367, 192));
    EXPECT_FALSE(about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    struct
    {
        const char* Name;
        const char* Parent;
        QRect Geometry;
        int PointSize;
        bool Bold;
    } const controls[] = {
        {"btnOk", "frmAbout", {145, 159, 75, 25}, 9, false},
        {"GroupBox1", "frmAbout", {8, 8, 350, 145}, 9, false},
        {"labProduct", "GroupBox1", {6, 25, 339, 21}, 12, true},
        {"labVer", "GroupBox1", {9, 64, 332, 14}, 9, true},
        {"labCopy", "GroupBox1", {5, 116, 340, 14}, 9, false},
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.Name);
        const auto* widget = about.findChild<QWidget*>(QString::fromLatin1(control.Name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(control.Parent));
        EXPECT_EQ(widget->geometry(), control.Geometry);
        EXPECT_EQ(widget->font().family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(widget->font().pointSize(), control.PointSize);
        EXPECT_EQ(widget->font().bold(), control.Bold);
    }
}

TEST(AboutBoxTest, EscapeEnterAndOkCloseItWithOk)
{
    const std::vector<std::pair<const char*, std::function<void(TfrmAbout&)>>> ways = {
        {"Escape", [](TfrmAbout&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        {"Enter", [](TfrmAbout&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }},
        {"OK", [](TfrmAbout& about) { QTest::mouseClick(about.btnOk, Qt::LeftButton); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        TfrmAbout about;
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
        EXPECT_EQ(QApplication::focusWidget(), about.btnOk);

        close(about);

        EXPECT_FALSE(about.isVisible());
        EXPECT_EQ(about.result(), QDialog::Accepted);
    }
}

// --- The loading animation -------------------------------------------------------------------

class LoadingAnimationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FImage.resize(44, 16);
        FImage.show();
    }

    QLabel FImage;
};

TEST_F(LoadingAnimationTest, PlaysItsOwnCopyOfTheUpperCasedResourceFromTheLibraryBesideTheExecutable)
{
    ShowLoadingAnimation(&FImage, QStringLiteral("loading"));

    QMovie* movie = FImage.movie();
    ASSERT_NE(movie, nullptr);
    EXPECT_TRUE(movie->isValid());
    EXPECT_EQ(movie->state(), QMovie::Running);
    EXPECT_EQ(movie->parent(), &FImage);
    // The library is released when the call returns; the picture plays on from its copy.
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/GIF/LOADING")));
    EXPECT_TRUE(movie->jumpToNextFrame());
    EXPECT_TRUE(movie->jumpToNextFrame());
    EXPECT_EQ(movie->currentFrameNumber(), 2);
    EXPECT_EQ(movie->currentImage().size(), QSize(44, 16));
}

TEST_F(LoadingAnimationTest, ANewAnimationFreesTheOneBefore)
{
    ShowLoadingAnimation(&FImage, QStringLiteral("loading"));
    const QPointer<QMovie> first = FImage.movie();

    ShowLoadingAnimation(&FImage, QStringLiteral("Loading"));

    EXPECT_TRUE(first.isNull());
    ASSERT_NE(FImage.movie(), nullptr);
    EXPECT_EQ(FImage.movie()->state(), QMovie::Running);
}

TEST_F(LoadingAnimationTest, ClearingShowsNothingFreesTheMovieAndKeepsTheImageVisible)
{
    ShowLoadingAnimation(&FImage, QStringLiteral("loading"));
    const QPointer<QMovie> movie = FImage.movie();

    ClearLoadingAnimation(&FImage);

    EXPECT_EQ(FImage.movie(), nullptr);
    EXPECT_TRUE(movie.isNull());
    EXPECT_TRUE(FImage.pixmap().isNull());
    EXPECT_TRUE(FImage.isVisible());
}

TEST_F(LoadingAnimationTest, AMissingLibraryOrResourceIsReportedByTheUpperCasedName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile notALibrary(dir.filePath(QStringLiteral("QuembrikSys.DLL")));
    ASSERT_TRUE(notALibrary.open(QIODevice::WriteOnly));
    notALibrary.write("MZ");
    notALibrary.close();
    struct
    {
        QString Library;
        const char* Name;
        const char* Error;
    } const cases[] = {
        {dir.filePath(QStringLiteral("missing/QuembrikSys.DLL")), "loading", "Resource LOADING not found"},
        {notALibrary.fileName(), "loading", "Resource LOADING not found"},
        {ResourceLibraryPath(), "Waiting", "Resource WAITING not found"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Library.toStdString() + " " + row.Name);
        try {
            ShowLoadingAnimation(&FImage, QString::fromLatin1(row.Name), row.Library);
            ADD_FAILURE() << "no error";
        } catch (const TLoadingAnimationError& error) {
            EXPECT_STREQ(error.what(), row.Error);
        }
        EXPECT_EQ(FImage.movie(), nullptr);
        EXPECT_FALSE(QFile::exists(QStringLiteral(":/GIF/LOADING")));
    }
}

TEST_F(LoadingAnimationTest, AResourceTheDecoderCannotReadReportsTheDecodersError)
{
    try {
        ShowLoadingAnimation(&FImage, QStringLiteral("broken"), QStringLiteral(ZORVANEL_BROKEN_GIF_LIBRARY));
        ADD_FAILURE() << "no error";
    } catch (const TLoadingAnimationError& error) {
        EXPECT_STRNE(error.what(), "");
        EXPECT_STRNE(error.what(), "Resource BROKEN not found");
    }
    EXPECT_EQ(FImage.movie(), nullptr);
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/GIF/BROKEN")));
}

// --- The application's message box -----------------------------------------------------------

struct TAppMessageCase
{
    int Kind;
    int Answer;
};

class AppMessageTest : public RecordedServicesTest, public ::testing::WithParamInterface<TAppMessageCase>
{
};

TEST_P(AppMessageTest, PassesTextKindAndTitleAndReturnsTheAnswer)
{
    FServices->Answer = GetParam().Answer;
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const int result = ShowAppMessage(QStringLiteral("HTTP/1.1 403 Forbidden"), GetParam().Kind);

    ASSERT_EQ(FServices->Messages.size(), 1u);
    const TShownMessage& shown = FServices->Messages[0];
    EXPECT_EQ(shown.Kind, GetParam().Kind);
    EXPECT_EQ(shown.Caption, AppTitle);
    EXPECT_EQ(shown.Text, QStringLiteral("HTTP/1.1 403 Forbidden"));
    EXPECT_EQ(shown.Parent, &window);
    EXPECT_EQ(result, GetParam().Answer);
}

INSTANTIATE_TEST_SUITE_P(Kinds, AppMessageTest,
                         ::testing::Values(TAppMessageCase{0, 1}, TAppMessageCase{1, 1},
                                           TAppMessageCase{2, 1}, TAppMessageCase{3, 1},
                                           TAppMessageCase{3, 2}, TAppMessageCase{7, 1}));

} // namespace
