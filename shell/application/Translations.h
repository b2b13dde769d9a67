#pragma once

#include <QLocale>
#include <QTranslator>

// Qt's own texts and mpgfix's in the language of a locale, installed into the running
// application for as long as this object lives. A language without a translation stays English.
class Translations {
public:
    // Each translator takes itself out of the application when it goes.
    explicit Translations(const QLocale& locale);

    bool hasQt() const { return hasQt_; }
    bool hasApp() const { return hasApp_; }

private:
    QTranslator qt_;
    QTranslator plurals_;
    QTranslator app_;
    bool hasQt_ = false;
    bool hasApp_ = false;
};
