#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

Translations::Translations(const QLocale& locale)
{
    hasQt_ = qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
             QCoreApplication::installTranslator(&qt_);
    // The sources write counts in the English plural ("%n files"); this gives English its
    // singular, beneath the locale's own translation, so that any language counts right.
    if (plurals_.load(QStringLiteral(":/i18n/mpgfix_en.qm")))
        QCoreApplication::installTranslator(&plurals_);
    // Built into the app, where qt_add_translations puts them.
    hasApp_ = app_.load(locale, QStringLiteral("mpgfix"), QStringLiteral("_"), QStringLiteral(":/i18n")) &&
              QCoreApplication::installTranslator(&app_);
}
