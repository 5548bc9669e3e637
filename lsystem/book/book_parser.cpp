#include "lsystem/book/book_parser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace lsystem::book {
namespace {

constexpr std::string_view Arrow = "->";
constexpr std::string_view UnicodeArrow = "\xE2\x86\x92";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view line, std::size_t position)
{
    while (position < line.size() && IsBlank(line[position]))
        ++position;
    return position;
}

bool IsSymbol(char c)
{
    return c > ' ' && c < 127 && c != '(' && c != ')';
}

int Column(std::size_t position)
{
    return static_cast<int>(position) + 1;
}

// The reading of one text: the row being read and the first fault met.
class Reader {
public:
    explicit Reader(BookSystem& system)
        : m_system(system)
    {
    }

    bool failed() const { return m_failed; }
    const BookParseError& error() const { return m_error; }

    bool Fail(int row, std::size_t position, std::string message)
    {
        if (!m_failed)
            m_error = { row, Column(position), std::move(message) };
        m_failed = true;
        return false;
    }
    bool Fail(const BookParseError& error)
    {
        if (!m_failed)
            m_error = error;
        m_failed = true;
        return false;
    }

    // word := { blank | SYMBOL [ "(" EXPR { "," EXPR } ")" ] }
    bool ReadWord(std::string_view line, std::size_t position, int row,
        const std::vector<std::string>& parameters, BookSuccessor& word)
    {
        const NameScope scope { &parameters, &m_system.constants };
        for (position = SkipBlanks(line, position); position < line.size();
             position = SkipBlanks(line, position)) {
            const char symbol = line[position];
            if (!IsSymbol(symbol))
                return Fail(row, position, "\"" + std::string(1, symbol) + "\" is no symbol.");
            ++position;
            BookWordModule module { symbol, static_cast<std::uint32_t>(word.arguments.size()), 0 };
            if (position < line.size() && line[position] == '(') {
                do {
                    ++position;
                    if (module.count == MaxArguments)
                        return Fail(row, position, "A module holds at most 16 arguments.");
                    BookParseError error;
                    auto argument = BookExpression::Read(line, position, row, scope, error);
                    if (!argument)
                        return Fail(error);
                    word.arguments.push_back(std::move(*argument));
                    ++module.count;
                    position = SkipBlanks(line, position);
                } while (position < line.size() && line[position] == ',');
                if (position >= line.size() || line[position] != ')')
                    return Fail(row, position, "Expected \",\" or \")\" after an argument.");
                ++position;
            }
            if (word.arguments.size() > UINT32_MAX)
                return Fail(row, position, "The word has too many arguments.");
            word.modules.push_back(module);
        }
        return true;
    }

    // patterns := { blank | SYMBOL [ "(" NAME { "," NAME } ")" ] }, up to "<", ">" or the end
    bool ReadPatterns(std::string_view head, std::size_t& position, int row,
        std::vector<BookPattern>& patterns, std::vector<std::string>& names)
    {
        for (position = SkipBlanks(head, position);
             position < head.size() && head[position] != '<' && head[position] != '>';
             position = SkipBlanks(head, position)) {
            const char symbol = head[position];
            if (!IsSymbol(symbol))
                return Fail(row, position, "\"" + std::string(1, symbol) + "\" is no symbol.");
            ++position;
            BookPattern pattern { symbol, 0 };
            if (position < head.size() && head[position] == '(') {
                if (symbol == '[' || symbol == ']')
                    return Fail(row, position, "A bracket takes no parameters.");
                do {
                    position = SkipBlanks(head, position + 1);
                    const std::size_t start = position;
                    while (position < head.size()
                        && (std::isalnum(static_cast<unsigned char>(head[position]))
                            || head[position] == '_'))
                        ++position;
                    const std::string name(head.substr(start, position - start));
                    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
                        return Fail(row, start, "Expected the name of a parameter.");
                    if (std::find(names.begin(), names.end(), name) != names.end())
                        return Fail(row, start, "The parameter \"" + name + "\" is named twice.");
                    if (pattern.parameterCount == MaxArguments)
                        return Fail(row, start, "A module holds at most 16 arguments.");
                    names.push_back(name);
                    ++pattern.parameterCount;
                    position = SkipBlanks(head, position);
                } while (position < head.size() && head[position] == ',');
                if (position >= head.size() || head[position] != ')')
                    return Fail(row, position, "Expected \",\" or \")\" after a parameter.");
                ++position;
            }
            patterns.push_back(pattern);
        }
        return true;
    }

    // head := [ patterns "<" ] module [ ">" patterns ]
    bool ReadHead(std::string_view head, int row, BookProduction& production)
    {
        std::size_t position = 0;
        std::vector<BookPattern> first;
        std::vector<std::string> firstNames;
        if (!ReadPatterns(head, position, row, first, firstNames))
            return false;
        std::vector<BookPattern> predecessor;
        std::vector<std::string> names;
        std::vector<std::string> leftNames;
        std::size_t predecessorStart = 0;
        if (position < head.size() && head[position] == '<') {
            production.left = std::move(first);
            leftNames = std::move(firstNames);
            predecessorStart = ++position;
            if (!ReadPatterns(head, position, row, predecessor, names))
                return false;
        } else {
            predecessor = std::move(first);
            names = std::move(firstNames);
        }
        if (predecessor.size() != 1)
            return Fail(row, predecessorStart,
                predecessor.empty()
                    ? "The production has no predecessor."
                    : "The predecessor is one module; \"<\" and \">\" mark its contexts.");
        if (predecessor.front().symbol == '[' || predecessor.front().symbol == ']')
            return Fail(row, predecessorStart, "A bracket cannot be rewritten.");
        if (std::any_of(production.left.begin(), production.left.end(),
                [](const BookPattern& p) { return p.symbol == '[' || p.symbol == ']'; }))
            return Fail(row, 0, "A left context holds no brackets.");
        std::vector<std::string> rightNames;
        if (position < head.size() && head[position] == '>') {
            const std::size_t rightStart = ++position;
            if (!ReadPatterns(head, position, row, production.right, rightNames))
                return false;
            if (production.right.empty())
                return Fail(row, rightStart, "The right context is empty.");
        }
        if (position < head.size())
            return Fail(row, position, "Unexpected \"" + std::string(1, head[position]) + "\".");
        production.symbol = predecessor.front().symbol;
        production.parameterCount = predecessor.front().parameterCount;
        production.parameters = std::move(names);
        for (auto* more : { &leftNames, &rightNames }) {
            for (std::string& name : *more) {
                if (std::find(production.parameters.begin(), production.parameters.end(), name)
                    != production.parameters.end())
                    return Fail(row, 0, "The parameter \"" + name + "\" is named twice.");
                production.parameters.push_back(std::move(name));
            }
        }
        return true;
    }

    void Define(std::string_view line, int row)
    {
        std::size_t position = SkipBlanks(line, 6);
        const std::size_t start = position;
        while (position < line.size()
            && (std::isalnum(static_cast<unsigned char>(line[position])) || line[position] == '_'))
            ++position;
        const std::string name(line.substr(start, position - start));
        if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) {
            Fail(row, start, "Expected the name of the constant.");
            return;
        }
        for (const auto& constant : m_system.constants) {
            if (constant.first == name) {
                Fail(row, start, "The constant \"" + name + "\" is defined twice.");
                return;
            }
        }
        const std::vector<std::string> none;
        BookParseError error;
        const auto value
            = BookExpression::Read(line, position, row, { &none, &m_system.constants }, error);
        if (!value) {
            Fail(error);
            return;
        }
        position = SkipBlanks(line, position);
        if (position < line.size()) {
            Fail(row, position, "Unexpected \"" + std::string(1, line[position]) + "\".");
            return;
        }
        m_system.constants.emplace_back(name, value->Evaluate(nullptr));
    }

    void Ignore(std::string_view line, int row)
    {
        for (std::size_t position = line.find(':') + 1; position < line.size(); ++position) {
            const char symbol = line[position];
            if (IsBlank(symbol))
                continue;
            if (!IsSymbol(symbol)) {
                Fail(row, position, "\"" + std::string(1, symbol) + "\" is no symbol.");
                return;
            }
            m_system.ignored[static_cast<unsigned char>(symbol)] = true;
        }
    }

    void Production(std::string_view line, int row)
    {
        const std::size_t ascii = line.find(Arrow);
        const std::size_t unicode = line.find(UnicodeArrow);
        std::size_t arrowStart = std::min(ascii, unicode);
        if (arrowStart == std::string_view::npos) {
            Fail(row, line.size(), "Expected \"->\" and a successor.");
            return;
        }
        std::size_t arrowEnd
            = arrowStart + (arrowStart == ascii ? Arrow.size() : UnicodeArrow.size());
        // "A --> B" takes "-->" as the arrow; "- -> B" rewrites "-".
        if (arrowStart == ascii && arrowStart > 0 && line[arrowStart - 1] == '-'
            && SkipBlanks(line, 0) < arrowStart - 1)
            --arrowStart;

        const std::string_view left = line.substr(0, arrowStart);
        const std::size_t colon = left.find(':');
        std::string_view head = left.substr(0, colon);
        BookProduction production;
        production.row = row;
        double weight = 1.0;
        bool weighted = false;
        const std::size_t end = head.find_last_not_of(" \t");
        const std::size_t blank
            = end == std::string_view::npos ? end : head.find_last_of(" \t", end);
        // A number after a blank is the weight where the rest is a left side of its own: in
        // "0 < 0 > 0" the last 0 is a module.
        if (blank != std::string_view::npos) {
            const std::string_view token = head.substr(blank + 1, end - blank);
            const std::string_view rest = head.substr(0, blank);
            BookProduction trial;
            Reader probe(m_system);
            const char c = token.front();
            if (((c >= '0' && c <= '9') || c == '.') && probe.ReadHead(rest, row, trial)) {
                const auto [stop, fault]
                    = std::from_chars(token.data(), token.data() + token.size(), weight);
                if (fault != std::errc {} || stop != token.data() + token.size()
                    || !std::isfinite(weight) || weight <= 0.0) {
                    Fail(row, blank + 1,
                        "The weight \"" + std::string(token) + "\" is not a positive number.");
                    return;
                }
                weighted = true;
                head = rest;
            }
        }
        if (!ReadHead(head, row, production))
            return;
        std::string conditionText;
        if (colon != std::string_view::npos) {
            std::size_t position = colon + 1;
            BookParseError error;
            auto condition = BookExpression::Read(
                left, position, row, { &production.parameters, &m_system.constants }, error);
            if (!condition) {
                Fail(error);
                return;
            }
            position = SkipBlanks(left, position);
            if (position < left.size()) {
                Fail(row, position,
                    "Unexpected \"" + std::string(1, left[position]) + "\" after the condition.");
                return;
            }
            production.conditional = true;
            production.condition = std::move(*condition);
            conditionText = left.substr(colon + 1);
        }
        BookSuccessor successor;
        successor.weight = weight;
        if (!ReadWord(line, arrowEnd, row, production.parameters, successor))
            return;

        std::string key(head);
        key.erase(std::remove_if(key.begin(), key.end(), IsBlank), key.end());
        conditionText.erase(std::remove_if(conditionText.begin(), conditionText.end(), IsBlank),
            conditionText.end());
        key += ':' + conditionText;
        if (weighted && m_lastWeighted && key == m_lastKey) {
            m_system.productions.back().alternatives.push_back(std::move(successor));
            return;
        }
        production.alternatives.push_back(std::move(successor));
        m_system.productions.push_back(std::move(production));
        m_lastWeighted = weighted;
        m_lastKey = std::move(key);
    }

    void Line(std::string_view line, int row)
    {
        const std::size_t start = SkipBlanks(line, 0);
        if (start == line.size() || line[start] == '#')
            return;
        const std::string_view rest = line.substr(start);
        if (rest.substr(0, 6) == "define" && rest.size() > 6 && IsBlank(rest[6]))
            Define(line, row);
        else if (rest.substr(0, 7) == "ignore:")
            Ignore(line, row);
        else
            Production(line, row);
    }

private:
    BookSystem& m_system;
    BookParseError m_error;
    bool m_failed = false;
    bool m_lastWeighted = false;
    std::string m_lastKey;
};

void Finish(BookSystem& system)
{
    for (std::size_t i = 0; i < system.productions.size(); ++i) {
        BookProduction& production = system.productions[i];
        system.bySymbol[static_cast<unsigned char>(production.symbol)].push_back(
            static_cast<std::uint32_t>(i));
        system.contextSensitive = system.contextSensitive || production.contextual();
        system.weighted = system.weighted || production.alternatives.size() > 1;
        double largest = 0.0;
        for (const BookSuccessor& alternative : production.alternatives)
            largest = std::max(largest, alternative.weight);
        double sum = 0.0;
        for (const BookSuccessor& alternative : production.alternatives) {
            sum += alternative.weight / largest;
            production.bounds.push_back(sum);
        }
    }
}

} // namespace

const BookSuccessor& BookProduction::Chosen(double choice) const
{
    if (alternatives.size() == 1)
        return alternatives.front();
    const double target = choice * bounds.back();
    const auto found = std::upper_bound(bounds.begin(), bounds.end(), target);
    const std::size_t index = std::min<std::size_t>(
        static_cast<std::size_t>(found - bounds.begin()), alternatives.size() - 1);
    return alternatives[index];
}

BookParse ParseBookSystem(std::string_view axiom, std::string_view rules)
{
    BookSystem system;
    Reader reader(system);
    int row = 0;
    while (!reader.failed() && !rules.empty()) {
        ++row;
        const std::size_t newline = rules.find('\n');
        std::string_view line = rules.substr(0, newline);
        rules = newline == std::string_view::npos ? std::string_view {} : rules.substr(newline + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        reader.Line(line, row);
    }
    if (!reader.failed()) {
        const std::vector<std::string> none;
        if (reader.ReadWord(axiom, 0, 0, none, system.axiom) && system.axiom.modules.empty())
            reader.Fail(0, 0, "The axiom is empty.");
    }
    if (reader.failed())
        return { std::nullopt, reader.error() };
    Finish(system);
    return { std::move(system), {} };
}

} // namespace lsystem::book
