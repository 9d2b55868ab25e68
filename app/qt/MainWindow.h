#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/MovieMaker.h"
#include "app/qt/PacedCaption.h"
#include "common/Window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zv {

class ScreenWidget;

// Where the window works and how it ends; tests and benchmarks replace both.
struct MainWindowOptions {
    // Empty: the folder of the program's executable.
    std::string programFolder;
    // Empty: leave the application's event loop with the status, which ends the program.
    std::function<void(int exitStatus)> endProgram;
};

// The one window of ZE Veduz. It forwards its controls' events to MovieMaker and carries out what
// MovieMaker asks of a window. Its load event runs in the constructor, before it is first shown.
class MainWindow : public QWidget, public Window {
    Q_OBJECT

public:
    explicit MainWindow(MainWindowOptions options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    MovieMaker& Maker() { return m_maker; }
    const MovieMaker& Maker() const { return m_maker; }

    std::string BoxText(Box box) const override;
    std::string Caption(Button button) const override;
    void SetCaption(Button button, const std::string& text) override;
    void SetScreenBackground(Rgb colour) override;
    void RepaintScreen() override;
    void SetScreenPenWidth(int pixels) override;
    void SetScreenPixel(int x, int y, Rgb colour) override;
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageStyle style) override;
    void EndProgram(int exitStatus) override;
    std::string ProgramFolder() const override;

private:
    void CreateControls();
    void WireEvents();
    // Runs one event handler of MovieMaker and puts on the screen whatever it left pending.
    void Handle(void (MovieMaker::*handler)());
    void FlushCaptions();
    void FlushAll();
    QLineEdit& BoxOf(Box box) const;
    PacedCaption& CaptionOf(Button button);
    const PacedCaption& CaptionOf(Button button) const;

    MainWindowOptions m_options;
    ScreenWidget* m_screen = nullptr;
    QLineEdit* m_skew = nullptr;
    QLineEdit* m_upDown = nullptr;
    QLineEdit* m_zidaFile = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_makeMovie = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    std::unique_ptr<PacedCaption> m_checkCaption;
    std::unique_ptr<PacedCaption> m_makeMovieCaption;
    MovieMaker m_maker;
};

}  // namespace zv
