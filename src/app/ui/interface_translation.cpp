#include "app/ui/interface_translation.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/ui_text.h"

namespace tessera {

namespace {

// The first installed family of the list, or an empty string.
QString firstInstalledFamily(const QStringList& families) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families)
        if (installed.contains(family))
            return family;
    return {};
}

void chooseInterfaceFont(InterfaceLanguage language) {
    // Noto CJK covers Chinese; the regional variant gives each script its own glyph shapes.
    const QString family = firstInstalledFamily(language == kLanguageTraditionalChinese
                                                    ? QStringList{"Noto Sans CJK TC", "Noto Sans CJK SC"}
                                                    : QStringList{"Noto Sans CJK SC", "Noto Sans CJK TC"});
    if (family.isEmpty())
        return;
    QFont font = QApplication::font();
    if (language == kLanguageEnglish) {
        // Latin text keeps the desktop's font; Chinese data texts (names) fall back to CJK.
        QStringList fallbacks = QFont::substitutes(font.family());
        if (!fallbacks.contains(family))
            QFont::insertSubstitution(font.family(), family);
        return;
    }
    font.setFamily(family);
    QApplication::setFont(font);
}

}  // namespace

InterfaceTranslation::~InterfaceTranslation() { uninstall(); }

QString InterfaceTranslation::fileName(InterfaceLanguage language) {
    switch (language) {
        case kLanguageEnglish:
            return "tessera_en.qm";
        case kLanguageTraditionalChinese:
            return "tessera_zh_TW.qm";
        default:
            return {};
    }
}

bool InterfaceTranslation::install(InterfaceLanguage language, const QString& folder) {
    uninstall();
    bool loaded = true;
    const QString file = fileName(language);
    if (!file.isEmpty()) {
        auto translator = std::make_unique<QTranslator>();
        loaded = translator->load(file, folder);
        if (loaded) {
            QCoreApplication::installTranslator(translator.get());
            translators_.push_back(std::move(translator));
        }
    }
    // Qt's own texts (standard dialog buttons) in Chinese; English needs none.
    const QString qtFile = language == kLanguageTraditionalChinese  ? "qtbase_zh_TW"
                           : language == kLanguageSimplifiedChinese ? "qtbase_zh_CN"
                                                                    : QString();
    if (!qtFile.isEmpty()) {
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(qtFile, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            translators_.push_back(std::move(qt));
        }
    }
    setUiTextTranslator([](const char* context, const char* source) {
        return QCoreApplication::translate(context, source).toStdString();
    });
    setUiLanguage(language);
    chooseInterfaceFont(language);
    return loaded;
}

void InterfaceTranslation::uninstall() {
    setUiTextTranslator({});
    setUiLanguage(kLanguageSimplifiedChinese);
    for (auto& translator : translators_)
        QCoreApplication::removeTranslator(translator.get());
    translators_.clear();
}

}  // namespace tessera
