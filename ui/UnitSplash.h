// The splash window shown while the application starts.
#pragma once

#include <QWidget>

class TFormSplash : public QWidget {
    Q_OBJECT
public:
    explicit TFormSplash(QWidget* Parent = nullptr);
    // Shows the window and paints it at once (the start-up keeps the event
    // loop busy until it is done).
    void ShowNow();
};
