#pragma once

#include <QCoreApplication>

class QWidget;

// Help > About: the version, what mpgfix does, the encoder it uses with that encoder's own
// version (asked of it once per run), the licence, the project's home and Qt's own about box.
class AboutBox {
    Q_DECLARE_TR_FUNCTIONS(AboutBox)

public:
    // Window-modal over `parent`; returns at once.
    static void open(QWidget* parent);
};
