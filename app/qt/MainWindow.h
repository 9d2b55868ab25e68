#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/MovieMaker.h"
#include "app/PacedWindow.h"
#include "app/qt/InputDrain.h"

class QLineEdit;
class QPushButton;

namespace zv {

class ScreenWidget;
struct ControlDescription;

// Where the window works and how it ends; tests and benchmarks replace both.
struct MainWindowOptions {
    // Empty: the folder of the program's executable.
    std::string programFolder;
    // Empty: leave the application's event loop with the status, which ends the program.
    std::function<void(int exitStatus)> endProgram;
};

// The one window of ZE Veduz. It forwards its controls' events to MovieMaker and carries out what
// MovieMaker asks of a window. A preview or a build runs inside its click; the window drops
// whatever the user does meanwhile.
class MainWindow : public QWidget, public PacedWindow {
    Q_OBJECT

public:
    explicit MainWindow(MainWindowOptions options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    MovieMaker& Maker() { return m_maker; }
    const MovieMaker& Maker() const { return m_maker; }

    std::string BoxText(Box box) const override;
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageStyle style) override;
    void EndProgram(int exitStatus) override;
    std::string ProgramFolder() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void PaintCaption(Button button, const std::string& text) override;
    void FillScreenImage(Rgb colour) override;
    bool SetScreenImagePixel(int x, int y, Rgb colour) override;
    void PaintScreenRows(int first, int last) override;
    void PaintScreen() override;

private:
    QWidget* MakeControl(const ControlDescription& control);
    void CreateControls();
    void WireEvents();
    // Runs one event handler of MovieMaker and puts on the screen whatever it left pending.
    void Handle(void (MovieMaker::*handler)());
    // A click's operation: keys, clicks and close requests that arrive while it runs are dropped.
    void Run(void (MovieMaker::*click)());
    // Drops every input event that came before now, also what the X server delivered meanwhile.
    void DropQueuedInput();
    QLineEdit& BoxOf(Box box) const;

    MainWindowOptions m_options;
    ScreenWidget* m_screen = nullptr;
    QLineEdit* m_skew = nullptr;
    QLineEdit* m_upDown = nullptr;
    QLineEdit* m_zidaFile = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_makeMovie = nullptr;
    bool m_running = false;
    // While set, every input event of the application is dropped.
    bool m_dropInput = false;
    InputDrain m_inputDrain;
    MovieMaker m_maker;
};

}  // namespace zv
