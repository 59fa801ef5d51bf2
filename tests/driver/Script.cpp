#include "tests/driver/Script.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/driver/Text.h"

namespace {

char Unescaped(char c, int line) {
    switch (c) {
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case '"':
            return '"';
        case '\\':
            return '\\';
    }
    throw ScriptError("line " + std::to_string(line) + ": unknown escape \\" + c);
}

// Splits one line into its words; quoted words keep their blanks.
std::vector<std::string> Words(const std::string& text, int line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        std::string word;
        if (text[i] == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size()) {
                    word += Unescaped(text[++i], line);
                } else {
                    word += text[i];
                }
            }
            if (i >= text.size()) {
                throw ScriptError("line " + std::to_string(line) + ": unterminated quote");
            }
            ++i;
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t') word += text[i++];
        }
        words.push_back(word);
    }
    return words;
}

}  // namespace

std::vector<ScriptCommand> ParseScript(const std::string& utf8Text) {
    std::vector<ScriptCommand> commands;
    std::istringstream lines(utf8Text);
    std::string text;
    int line = 0;
    while (std::getline(lines, text)) {
        ++line;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (line == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
        const std::vector<std::string> words = Words(text, line);
        if (words.empty() || words[0][0] == '#') continue;
        ScriptCommand command{line, words[0], {}};
        for (size_t i = 1; i < words.size(); ++i) command.args.push_back(Widen(words[i]));
        commands.push_back(command);
    }
    return commands;
}

std::vector<ScriptCommand> LoadScript(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) throw ScriptError("cannot open the script " + Narrow(path));
    std::ostringstream text;
    text << file.rdbuf();
    return ParseScript(text.str());
}
