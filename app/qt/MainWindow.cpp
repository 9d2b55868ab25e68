#include "app/qt/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "app/WindowLayout.h"
#include "app/qt/OffsetKeyFilter.h"
#include "app/qt/ScreenWidget.h"

// Resources of a static library are registered by hand, outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(zeveduz);
}

namespace zv {

namespace {

// The default 9 pt clips "Check Alignment" in its 97-pixel button.
constexpr int kFontPoints = 8;

QRect PixelRect(const TwipsRect& twips) {
    return {PixelsAt96Dpi(twips.left), PixelsAt96Dpi(twips.top), PixelsAt96Dpi(twips.width),
            PixelsAt96Dpi(twips.height)};
}

// Three digits must fit into a 25-pixel box: the box keeps its frame but gives up the text
// margins inside it.
void FitDigits(QLineEdit& box) {
    box.setTextMargins(-1, 0, -1, 0);
    // Every typed character goes through the key filter as a key event, also with an input method.
    box.setAttribute(Qt::WA_InputMethodEnabled, false);
}

// Texts cross to the logic as the file system spells names, so that a typed name opens the file
// it shows and a path in a message shows the file it names.
std::string ToLogic(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

QString FromLogic(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/zeveduz-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QWidget(parent), PacedWindow(options.programFolder), m_options(std::move(options)) {
    RegisterResources();
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    setWindowIcon(ProgramIcon());
    // A title bar with the system menu and the close box, and no way to resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(PixelsAt96Dpi(kClientWidthTwips), PixelsAt96Dpi(kClientHeightTwips));
    QFont smaller = font();
    smaller.setPointSize(kFontPoints);
    setFont(smaller);

    CreateControls();
    // The initial texts are in place: from now on every change of a box runs its rule.
    WireEvents();
    Maker().Form_Load();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::MakeControl(const ControlDescription& control) {
    QString text = QString::fromLatin1(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Picture:
            widget = new ScreenWidget(this);
            break;
        case ControlKind::Box: {
            auto* box = new QLineEdit(text, this);
            if (control.maxLength > 0) {
                box->setMaxLength(control.maxLength);
            }
            if (control.digitsOnly) {
                FitDigits(*box);
            }
            widget = box;
            break;
        }
        case ControlKind::Label:
            widget = new QLabel(text, this);
            break;
        case ControlKind::Button: {
            auto* button = new QPushButton(this);
            // Return must not click a button the user did not choose.
            button->setAutoDefault(false);
            button->setDefault(false);
            widget = button;
            break;
        }
    }
    widget->setObjectName(QString::fromLatin1(control.name));
    widget->setGeometry(PixelRect(control.twips));
    if (control.kind != ControlKind::Label && control.names != nullptr) {
        widget->setAccessibleName(QString::fromLatin1(control.names));
    }
    return widget;
}

void MainWindow::CreateControls() {
    QWidget* previous = nullptr;
    for (const ControlDescription& control : kControls) {
        QWidget* widget = MakeControl(control);
        if (control.kind == ControlKind::Label) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
    for (const ControlDescription& control : kControls) {
        if (control.kind == ControlKind::Label) {
            auto* label = findChild<QLabel*>(QString::fromLatin1(control.name));
            auto* box = findChild<QWidget*>(QString::fromLatin1(control.names));
            label->setBuddy(box);
            // Screen readers name the box after its label.
            box->setAccessibleName(label->text());
        }
    }
    m_screen = findChild<ScreenWidget*>(QStringLiteral("TVScreen"));
    SetScreen(*m_screen);
    for (Box box : {Box::Skew, Box::UpDown, Box::ZIDAFile}) {
        m_boxes[static_cast<int>(box)] = findChild<QLineEdit*>(QString::fromLatin1(NameOf(box)));
    }
    for (Button button : {Button::Check, Button::MakeMovie}) {
        m_buttons[static_cast<int>(button)] =
            findChild<QPushButton*>(QString::fromLatin1(NameOf(button)));
    }
    StartCaption(Button::Check, ControlNamed("Check").text);
    StartCaption(Button::MakeMovie, ControlNamed("MakeMovie").text);
}

void MainWindow::WireEvents() {
    QLineEdit* skew = &BoxOf(Box::Skew);
    QLineEdit* upDown = &BoxOf(Box::UpDown);
    connect(skew, &QLineEdit::textChanged, this, [this] { Handle(&MovieMaker::Skew_Change); });
    connect(upDown, &QLineEdit::textChanged, this, [this] { Handle(&MovieMaker::UpDown_Change); });
    connect(&BoxOf(Box::ZIDAFile), &QLineEdit::textChanged, this,
            [this] { Handle(&MovieMaker::ZIDAFile_Change); });
    connect(&ButtonOf(Button::Check), &QPushButton::clicked, this,
            [this] { Run(&MovieMaker::Check_Click); });
    connect(&ButtonOf(Button::MakeMovie), &QPushButton::clicked, this,
            [this] { Run(&MovieMaker::MakeMovie_Click); });
    QCoreApplication::instance()->installEventFilter(this);
    skew->installEventFilter(new OffsetKeyFilter(
        [this](int& KeyAscii) { HandleKey(&MovieMaker::Skew_KeyPress, KeyAscii); }, skew));
    upDown->installEventFilter(new OffsetKeyFilter(
        [this](int& KeyAscii) { HandleKey(&MovieMaker::UpDown_KeyPress, KeyAscii); }, upDown));
}

void MainWindow::DrainInput() {
    m_inputDrain.Drain(winId());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    bool input = event->isInputEvent() || event->type() == QEvent::InputMethod;
    if (input && DropsInput()) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closed, the window could show neither the closing box nor an error.
    if (Running()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

std::string MainWindow::BoxText(Box box) const {
    return ToLogic(BoxOf(box).text());
}

void MainWindow::ShowBox(const std::string& text, const std::string& title, MessageStyle style) {
    QMessageBox box(style == MessageStyle::Stop ? QMessageBox::Critical : QMessageBox::Information,
                    FromLogic(title), FromLogic(text), QMessageBox::Ok, this);
    // Paths are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void MainWindow::EndProgram(int exitStatus) {
    FlushAll();
    if (m_options.endProgram) {
        m_options.endProgram(exitStatus);
        return;
    }
    // The event loop ends once the running handler returns; main then returns the status.
    QCoreApplication::exit(exitStatus);
}

QLineEdit& MainWindow::BoxOf(Box box) const {
    return *m_boxes[static_cast<int>(box)];
}

QPushButton& MainWindow::ButtonOf(Button button) const {
    return *m_buttons[static_cast<int>(button)];
}

void MainWindow::PaintCaption(Button button, const std::string& text) {
    QPushButton& shown = ButtonOf(button);
    shown.setText(QString::fromStdString(text));
    // Synchronous: the operation that sets the caption does not return to the event loop.
    shown.repaint();
    if (Running()) {
        // Paints what another window uncovered and answers the window manager's pings, so that
        // the window is not taken for hung; user input waits, to be dropped.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

}  // namespace zv
