#include "game/model/LayoutSource.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "game/model/TileLayout.h"

namespace {

constexpr int kMaxCoordinate = 127;  // coordinates are stored as signed bytes

struct PlacedTile {
    int z;
    int y;
    int x;
    TileKind kind;
};

bool IsEmptyCell(char c) { return c == ' ' || c == '.'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool StartsWithWord(std::string_view line, std::string_view word)
{
    return line.size() >= word.size() && line.substr(0, word.size()) == word
        && (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}

class Parser {
public:
    bool Run(std::string_view text, TileLayout* layout, std::string* error)
    {
        std::vector<std::string_view> lines;
        for (size_t start = 0; start <= text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lines.push_back(line);
            start = end + 1;
        }
        size_t i = 0;
        while (i < lines.size()) {
            const std::string_view line = Trim(lines[i]);
            line_ = static_cast<int>(i) + 1;
            if (line.empty() || line.front() == '#') {
                ++i;
            } else if (StartsWithWord(line, "name")) {
                if (!ReadName(Trim(line.substr(4))))
                    return Fail(error);
                ++i;
            } else if (StartsWithWord(line, "layer")) {
                size_t end = i + 1;
                while (end < lines.size() && !IsDirective(lines[end]))
                    ++end;
                if (!ReadLayer(Trim(line.substr(5)), lines, i + 1, end))
                    return Fail(error);
                i = end;
            } else {
                message_ = "expected \"name\" or \"layer\"";
                return Fail(error);
            }
        }
        if (!haveName_) {
            line_ = 0;
            message_ = "the layout has no name";
            return Fail(error);
        }
        std::sort(tiles_.begin(), tiles_.end(), [](const PlacedTile& a, const PlacedTile& b) {
            return std::tie(a.z, a.y, a.x) < std::tie(b.z, b.y, b.x);
        });
        layout->Clear();
        layout->SetName(name_.c_str());
        for (const PlacedTile& t : tiles_)
            layout->AddTile(t.x, t.y, t.z, t.kind);
        return true;
    }

private:
    static bool IsDirective(std::string_view line)
    {
        const std::string_view trimmed = Trim(line);
        return StartsWithWord(trimmed, "name") || StartsWithWord(trimmed, "layer")
            || (!trimmed.empty() && trimmed.front() == '#');
    }

    bool Fail(std::string* error) const
    {
        if (error)
            *error = line_ > 0 ? "line " + std::to_string(line_) + ": " + message_ : message_;
        return false;
    }

    bool ReadName(std::string_view name)
    {
        if (haveName_) {
            message_ = "a second name";
            return false;
        }
        if (name.empty()) {
            message_ = "an empty name";
            return false;
        }
        name_ = name;
        haveName_ = true;
        return true;
    }

    bool ReadLayer(std::string_view number, const std::vector<std::string_view>& lines, size_t first,
                   size_t end)
    {
        int z = 0;
        if (number.empty() || number.size() > 3 || !std::all_of(number.begin(), number.end(), IsDigit)) {
            message_ = "a layer needs its number";
            return false;
        }
        for (char c : number)
            z = z * 10 + (c - '0');
        if (z > kMaxCoordinate || z <= lastLayer_) {
            message_ = "layer " + std::to_string(z) + " is out of order";
            return false;
        }
        lastLayer_ = z;
        std::vector<std::string> rows(lines.begin() + first, lines.begin() + end);
        for (size_t row = 0; row < rows.size(); ++row) {
            std::string& text = rows[row];
            line_ = static_cast<int>(first + row) + 1;
            for (size_t col = 0; col < text.size(); ++col) {
                const char c = text[col];
                if (IsEmptyCell(c))
                    continue;
                if (c != '[' || col + 1 >= text.size() || text[col + 1] != ']') {
                    message_ = "column " + std::to_string(col + 1) + ": expected the top \"[]\" of a tile";
                    return false;
                }
                if (row + 1 >= rows.size() || rows[row + 1].size() < col + 2) {
                    message_ = "column " + std::to_string(col + 1) + ": the tile has no bottom row";
                    return false;
                }
                std::string& below = rows[row + 1];
                TileKind kind = kKindUndealt;
                if (IsDigit(below[col]) && IsDigit(below[col + 1])) {
                    kind = (below[col] - '0') * 10 + (below[col + 1] - '0');
                    if (kind < 1 || kind > kKindLast) {
                        line_ = static_cast<int>(first + row) + 2;
                        message_ = "column " + std::to_string(col + 1) + ": no tile kind " + std::to_string(kind);
                        return false;
                    }
                } else if (below[col] != '[' || below[col + 1] != ']') {
                    line_ = static_cast<int>(first + row) + 2;
                    message_ = "column " + std::to_string(col + 1) + ": expected the bottom of a tile";
                    return false;
                }
                if (col > kMaxCoordinate || row > kMaxCoordinate) {
                    message_ = "the tile lies beyond column or row 127";
                    return false;
                }
                tiles_.push_back({z, static_cast<int>(row), static_cast<int>(col), kind});
                // The cells are the tile's now; clearing them lets the scan go on past it.
                text[col] = text[col + 1] = ' ';
                below[col] = below[col + 1] = ' ';
                ++col;
            }
        }
        return true;
    }

    std::vector<PlacedTile> tiles_;
    std::string name_;
    bool haveName_ = false;
    int lastLayer_ = -1;
    int line_ = 0;
    std::string message_;
};

}  // namespace

bool ParseLayoutSource(std::string_view text, TileLayout* layout, std::string* error)
{
    return Parser().Run(text, layout, error);
}
