#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// frmSplash: the program's picture, name and version while start-up runs. A key press or a
// click on it closes it at once; start-up closes it otherwise.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    static constexpr int PictureSize = 128;
    // The product picture drawn ahead, at the pixel ratio it is for; a picture for another ratio
    // is not taken, and the splash draws its own when it first paints.
    void usePicture(const QImage& picture);

    QFrame* Frame1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblVersion = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTexts();
    void centreOnScreen();
};
