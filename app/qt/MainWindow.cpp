#include "app/qt/MainWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "app/qt/OffsetKeyFilter.h"
#include "app/qt/ScreenWidget.h"
#include "common/System.h"

// Resources of a static library are registered by hand, outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(zeveduz);
}

namespace zv {

namespace {

constexpr char kTitle[] = "ZE Veduz";
// The layout is given in twips: 15 make one pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthTwips = 1'680;
constexpr int kClientHeightTwips = 3'705;
// The default 9 pt clips "Check Alignment" in its 97-pixel button.
constexpr int kFontPoints = 8;
constexpr int kOffsetMaxLength = 3;

constexpr int Pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

void Place(QWidget& widget, const char* name, int left, int top, int width, int height) {
    widget.setObjectName(QString::fromLatin1(name));
    widget.setGeometry(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

QLabel* MakeLabel(QWidget* parent, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    // Screen readers name the box after its label.
    label->setBuddy(buddy);
    return label;
}

// Three digits must fit into a 25-pixel box: the box keeps its frame but gives up the text
// margins inside it.
void FitDigits(QLineEdit& box) {
    box.setTextMargins(-1, 0, -1, 0);
    box.setMaxLength(kOffsetMaxLength);
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
    icon.addFile(QStringLiteral(":/icons/zeveduz-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/zeveduz-32.png"), QSize(32, 32));
    return icon;
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QWidget(parent), m_options(std::move(options)), m_maker(*this) {
    RegisterResources();
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(ProgramIcon());
    // A title bar with the system menu and the close box, and no way to resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Pixels(kClientWidthTwips), Pixels(kClientHeightTwips));
    QFont smaller = font();
    smaller.setPointSize(kFontPoints);
    setFont(smaller);

    CreateControls();
    // The initial texts are in place: from now on every change of a box runs its rule.
    WireEvents();
    m_maker.Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControls() {
    m_screen = new ScreenWidget(this);
    Place(*m_screen, "TVScreen", 205, 120, 1'270, 1'267);
    m_screen->setAccessibleName(QStringLiteral("Alignment picture"));

    m_skew = new QLineEdit(QStringLiteral("46"), this);
    Place(*m_skew, "Skew", 360, 1'680, 375, 285);
    FitDigits(*m_skew);
    m_skew->setAccessibleName(QStringLiteral("Skew"));

    m_upDown = new QLineEdit(QStringLiteral("13"), this);
    Place(*m_upDown, "UpDown", 960, 1'680, 375, 285);
    FitDigits(*m_upDown);
    m_upDown->setAccessibleName(QStringLiteral("Up"));

    m_label2 = MakeLabel(this, "Skew", m_skew);
    Place(*m_label2, "Label2", 350, 1'440, 495, 255);
    m_label3 = MakeLabel(this, "Up", m_upDown);
    Place(*m_label3, "Label3", 960, 1'440, 375, 255);

    m_zidaFile = new QLineEdit(this);
    Place(*m_zidaFile, "ZIDAFile", 120, 2'280, 1'455, 315);
    m_zidaFile->setAccessibleName(QStringLiteral("ZIDA File"));
    m_label1 = MakeLabel(this, "ZIDA File", m_zidaFile);
    Place(*m_label1, "Label1", 480, 2'040, 855, 255);

    m_check = new QPushButton(this);
    Place(*m_check, "Check", 120, 2'760, 1'455, 375);
    StartCaption(Button::Check, "Check Alignment");
    m_makeMovie = new QPushButton(this);
    Place(*m_makeMovie, "MakeMovie", 120, 3'240, 1'455, 375);
    StartCaption(Button::MakeMovie, "Make Movie");
    for (QPushButton* button : {m_check, m_makeMovie}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // Tab indexes 0 to 8; the labels take no focus.
    setTabOrder(m_screen, m_skew);
    setTabOrder(m_skew, m_upDown);
    setTabOrder(m_upDown, m_zidaFile);
    setTabOrder(m_zidaFile, m_check);
    setTabOrder(m_check, m_makeMovie);
}

void MainWindow::WireEvents() {
    connect(m_skew, &QLineEdit::textChanged, this, [this] { Handle(&MovieMaker::Skew_Change); });
    connect(m_upDown, &QLineEdit::textChanged, this,
            [this] { Handle(&MovieMaker::UpDown_Change); });
    connect(m_zidaFile, &QLineEdit::textChanged, this,
            [this] { Handle(&MovieMaker::ZIDAFile_Change); });
    connect(m_check, &QPushButton::clicked, this, [this] { Handle(&MovieMaker::Check_Click); });
    connect(m_makeMovie, &QPushButton::clicked, this,
            [this] { Handle(&MovieMaker::MakeMovie_Click); });
    m_skew->installEventFilter(new OffsetKeyFilter(
        [this](int& KeyAscii) {
            m_maker.Skew_KeyPress(KeyAscii);
            FlushAll();
        },
        m_skew));
    m_upDown->installEventFilter(new OffsetKeyFilter(
        [this](int& KeyAscii) {
            m_maker.UpDown_KeyPress(KeyAscii);
            FlushAll();
        },
        m_upDown));
}

void MainWindow::Handle(void (MovieMaker::*handler)()) {
    (m_maker.*handler)();
    FlushAll();
}

std::string MainWindow::BoxText(Box box) const {
    return ToLogic(BoxOf(box).text());
}

void MainWindow::ShowMessage(const std::string& text, const std::string& title,
                             MessageStyle style) {
    // The box opens over what the operation has shown so far.
    FlushAll();
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

std::string MainWindow::ProgramFolder() const {
    if (!m_options.programFolder.empty()) {
        return m_options.programFolder;
    }
    // As the system spells it: a name that is not valid text must still reach the same folder.
    return ExecutableFolder();
}

QLineEdit& MainWindow::BoxOf(Box box) const {
    switch (box) {
        case Box::Skew:
            return *m_skew;
        case Box::UpDown:
            return *m_upDown;
        case Box::ZIDAFile:
            break;
    }
    return *m_zidaFile;
}

void MainWindow::PaintCaption(Button button, const std::string& text) {
    QPushButton& shown = button == Button::Check ? *m_check : *m_makeMovie;
    shown.setText(QString::fromStdString(text));
    // Synchronous: the operation that sets the caption does not return to the event loop.
    shown.repaint();
}

void MainWindow::FillScreenImage(Rgb colour) {
    m_screen->SetBackground(QColor(colour.red, colour.green, colour.blue));
}

bool MainWindow::SetScreenImagePixel(int x, int y, Rgb colour) {
    return m_screen->SetPixel(x, y, qRgb(colour.red, colour.green, colour.blue));
}

void MainWindow::PaintScreenRows(int first, int last) {
    m_screen->RepaintRows(first, last);
}

void MainWindow::PaintScreen() {
    m_screen->RepaintAll();
}

}  // namespace zv
