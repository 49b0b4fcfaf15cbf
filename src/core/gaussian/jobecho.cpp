#include "core/gaussian/jobecho.hpp"

#include <charconv>

#include "core/gaussian/anchors.hpp"

namespace zerlant {

namespace {

// The lines of `text` from `pos`, one at a time, without their line ends.
class Lines {
  public:
    Lines(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size())
            return false;
        auto end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        line = text_.substr(pos_, end - pos_);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        return true;
    }

  private:
    std::string_view text_;
    std::size_t pos_;
};

bool isRuler(std::string_view line) {
    return line.size() > 3 && line.substr(0, 3) == " --" &&
           line.find_first_not_of(" -") == std::string_view::npos;
}

std::optional<int> integerAfter(std::string_view line, std::string_view key) {
    auto at = line.find(key);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = line.substr(at + key.size());
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec != std::errc() || end == rest.data())
        return std::nullopt;
    return value;
}

// The lines between the ruler after `pos` and the next one, joined.
std::string betweenRulers(Lines& lines) {
    std::string joined;
    std::string_view line;
    while (lines.next(line) && !isRuler(line)) joined += line.empty() ? line : line.substr(1);
    return joined;
}

}  // namespace

JobEcho readJobEcho(std::string_view text) {
    JobEcho echo;
    // The route is the first ruled section that starts with '#'.
    std::size_t at = 0;
    for (;;) {
        at = text.find("\n #", at);
        if (at == std::string_view::npos)
            return echo;
        const auto lineStart = text.rfind('\n', at - 1);
        const std::string_view before =
            text.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1,
                        at - (lineStart == std::string_view::npos ? 0 : lineStart + 1));
        if (isRuler(before.substr(0, before.find('\r'))))
            break;
        at += 3;
    }
    // Link 0 lines: the lines starting " %" before the route.
    {
        const std::size_t from = at > 20000 ? at - 20000 : 0;
        Lines lines(text, from);
        std::string_view line;
        std::size_t seen = from;
        while (seen < at && lines.next(line)) {
            seen += line.size() + 1;
            if (line.size() > 2 && line[0] == ' ' && line[1] == '%')
                echo.link0.emplace_back(line.substr(1));
        }
    }
    Lines lines(text, at + 1);
    echo.route = betweenRulers(lines);
    // The links, then the title between two rulers.
    std::string_view line;
    while (lines.next(line) && !isRuler(line)) {
    }
    echo.title = betweenRulers(lines);
    int budget = 200000;  // lines to the charge line, at most
    while (budget-- > 0 && lines.next(line)) {
        if (line.find("Charge =") != std::string_view::npos &&
            line.find("Multiplicity =") != std::string_view::npos) {
            echo.charge = integerAfter(line, "Charge =");
            echo.multiplicity = integerAfter(line, "Multiplicity =");
            break;
        }
    }
    // " The following ModRedundant input section has been read:"
    // " B       1       2 S  10 0.1000"
    while (budget-- > 0 && lines.next(line)) {
        if (line.find("The following ModRedundant input section has been read:") !=
            std::string_view::npos) {
            // Its lines start with one blank and a letter: " D 3 4 9 10 S 12 30.000"
            while (lines.next(line) && line.size() > 1 && line[0] == ' ' && line[1] != ' ') {
                line.remove_prefix(1);
                while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
                echo.modRedundant.emplace_back(line);
            }
            break;
        }
        if (line.find("Initial Parameters") != std::string_view::npos ||
            line.find(gaussian::anchor::kScfDone) != std::string_view::npos)
            break;
    }
    return echo;
}

std::string lowerRoute(const JobEcho& echo) {
    std::string out = echo.route;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace zerlant
