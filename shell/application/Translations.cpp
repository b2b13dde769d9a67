#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

Translations::Translations(const QLocale& locale)
{
    hasQt_ = qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
             QCoreApplication::installTranslator(&qt_);
    // Built into the app, where qt_add_translations puts them.
    hasApp_ = app_.load(locale, QStringLiteral("mpgfix"), QStringLiteral("_"), QStringLiteral(":/i18n")) &&
              QCoreApplication::installTranslator(&app_);
}
