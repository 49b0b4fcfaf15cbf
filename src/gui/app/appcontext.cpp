#include "gui/app/appcontext.hpp"

#include <QLocale>
#include <string_view>

namespace zerlant::gui {

AppContext::AppContext(std::string programFolder) : programFolder_(std::move(programFolder)) {
    std::string path = programFolder_;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += kLanguageFileName;
    auto state = InitLanguages(path);
    if (state) {
        languages_ = std::move(state.value());
    } else {
        languages_.filePath = path;
    }
}

QString AppContext::msg(Msg m) const {
    return QString::fromStdString(GetMessage(languages_.filePath, languages_.currentLanguage,
                                             std::to_string(messageNumber(m))));
}

MessageLookup AppContext::liveLookup() const {
    return [this](int n) {
        return GetMessage(languages_.filePath, languages_.currentLanguage, std::to_string(n));
    };
}

MessageLookup AppContext::lookup() const {
    auto file = LanguageFile::load(languages_.filePath);
    if (!file)
        return [](int) { return std::string(); };
    return file->lookup(languages_.currentLanguage);
}

char AppContext::decimalSeparator() const {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 128)
        return point.at(0).toLatin1();
    return '.';
}

}  // namespace zerlant::gui
