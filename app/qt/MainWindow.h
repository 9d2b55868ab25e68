#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

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

    std::string BoxText(Box box) const override;
    void EndProgram(int exitStatus) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void PaintCaption(Button button, const std::string& text) override;
    void ShowBox(const std::string& text, const std::string& title, MessageStyle style) override;
    // Also what the X server delivered during a click.
    void DrainInput() override;

private:
    QWidget* MakeControl(const ControlDescription& control);
    void CreateControls();
    void WireEvents();
    QLineEdit& BoxOf(Box box) const;
    QPushButton& ButtonOf(Button button) const;

    MainWindowOptions m_options;
    ScreenWidget* m_screen = nullptr;
    std::array<QLineEdit*, 3> m_boxes{};
    std::array<QPushButton*, 2> m_buttons{};
    InputDrain m_inputDrain;
};

}  // namespace zv
