#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/MovieMaker.h"
#include "app/PacedWindow.h"

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
    void PaintCaption(Button button, const std::string& text) override;
    void FillScreenImage(Rgb colour) override;
    bool SetScreenImagePixel(int x, int y, Rgb colour) override;
    void PaintScreenRows(int first, int last) override;
    void PaintScreen() override;

private:
    void CreateControls();
    void WireEvents();
    // Runs one event handler of MovieMaker and puts on the screen whatever it left pending.
    void Handle(void (MovieMaker::*handler)());
    QLineEdit& BoxOf(Box box) const;

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
    MovieMaker m_maker;
};

}  // namespace zv
