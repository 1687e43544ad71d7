#include "platform/gui/formgen/resource.h"

#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace formgen {

namespace {

using Env = std::map<std::string, int64_t>;

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentifier(const std::string &s) {
    if (s.empty() || !IsIdentStart(s[0])) return false;
    for (char c : s)
        if (!IsIdentChar(c)) return false;
    return true;
}

std::string Trim(const std::string &s) {
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Integer expressions over the names in env.
class Expression {
public:
    Expression(const std::string &text, const Env &env, int line) : text_(text), env_(env), line_(line) {}

    int64_t Evaluate() {
        const int64_t value = Comparison();
        Skip();
        if (pos_ != text_.size()) Fail("unexpected '" + text_.substr(pos_) + "'");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string &what) const {
        throw ResourceError(line_, "in expression \"" + text_ + "\": " + what);
    }
    void Skip() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }
    bool Take(char c) {
        Skip();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool TakeOperator(const char *op) {
        Skip();
        const size_t n = std::char_traits<char>::length(op);
        if (text_.compare(pos_, n, op) != 0) return false;
        pos_ += n;
        return true;
    }
    int64_t Comparison() {
        const int64_t lhs = Sum();
        if (TakeOperator("<=")) return lhs <= Sum();
        if (TakeOperator(">=")) return lhs >= Sum();
        if (TakeOperator("==")) return lhs == Sum();
        if (TakeOperator("!=")) return lhs != Sum();
        if (TakeOperator("<")) return lhs < Sum();
        if (TakeOperator(">")) return lhs > Sum();
        return lhs;
    }
    int64_t Sum() {
        int64_t value = Product();
        for (;;) {
            if (Take('+'))
                value += Product();
            else if (Take('-'))
                value -= Product();
            else
                return value;
        }
    }
    int64_t Product() {
        int64_t value = Unary();
        for (;;) {
            char op = 0;
            if (Take('*'))
                op = '*';
            else if (Take('/'))
                op = '/';
            else if (Take('%'))
                op = '%';
            else
                return value;
            const int64_t rhs = Unary();
            if (op == '*') {
                value *= rhs;
                continue;
            }
            if (rhs == 0) Fail("division by zero");
            value = op == '/' ? value / rhs : value % rhs;
        }
    }
    int64_t Unary() {
        if (Take('-')) return -Unary();
        if (Take('(')) {
            const int64_t value = Comparison();
            if (!Take(')')) Fail("missing ')'");
            return value;
        }
        Skip();
        const size_t start = pos_;
        if (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
            return std::stoll(text_.substr(start, pos_ - start));
        }
        while (pos_ < text_.size() && IsIdentChar(text_[pos_])) ++pos_;
        const std::string name = text_.substr(start, pos_ - start);
        if (name.empty()) Fail("a number or a name is missing");
        const auto it = env_.find(name);
        if (it == env_.end()) Fail("unknown name '" + name + "'");
        return it->second;
    }

    const std::string &text_;
    const Env &env_;
    int line_;
    size_t pos_ = 0;
};

// Replaces every {expression} of a name, a number or a string by its value.
std::string Interpolate(const std::string &text, const Env &env, int line, bool allowBraceEscapes) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (allowBraceEscapes && (c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
            out += c;
            ++i;
        } else if (c == '{') {
            const size_t close = text.find('}', i);
            if (close == std::string::npos) throw ResourceError(line, "missing '}' in \"" + text + "\"");
            out += std::to_string(Expression(text.substr(i + 1, close - i - 1), env, line).Evaluate());
            i = close;
        } else if (c == '}') {
            throw ResourceError(line, "unmatched '}' in \"" + text + "\"");
        } else {
            out += c;
        }
    }
    return out;
}

// An integer as C++: values beyond int32 but within uint32 (system colours) keep their bits.
std::string IntegerLiteral(int64_t value, int line) {
    if (value >= INT32_MIN && value <= INT32_MAX) return std::to_string(value);
    if (value > INT32_MAX && value <= UINT32_MAX)
        return "static_cast<int32_t>(" + std::to_string(value) + "u)";
    throw ResourceError(line, "number out of range: " + std::to_string(value));
}

std::string StringLiteral(const std::string &body, const Env &env, int line) {
    std::string text;
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\') {
            text += body[i];
            continue;
        }
        if (++i == body.size()) throw ResourceError(line, "a string ends in '\\'");
        switch (body[i]) {
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case '"':
                text += '"';
                break;
            case '\\':
                text += '\\';
                break;
            case '{':
                text += "{{";
                break;
            case '}':
                text += "}}";
                break;
            default:
                throw ResourceError(line, std::string("unknown escape \\") + body[i]);
        }
    }
    text = Interpolate(text, env, line, true);
    std::string cpp = "QStringLiteral(\"";
    for (char c : text) {
        switch (c) {
            case '\n':
                cpp += "\\n";
                break;
            case '\r':
                cpp += "\\r";
                break;
            case '\t':
                cpp += "\\t";
                break;
            case '"':
                cpp += "\\\"";
                break;
            case '\\':
                cpp += "\\\\";
                break;
            case '?':
                cpp += "\\?";
                break;  // no trigraphs
            default:
                cpp += c;
        }
    }
    return cpp + "\")";
}

// Integer, {expression}, "string" or a C++ identifier expression (a|b).
std::string ValueToCpp(const std::string &raw, const Env &env, int line) {
    const std::string value = Trim(raw);
    if (value.empty()) throw ResourceError(line, "a value is missing");
    if (value.front() == '"') {
        if (value.size() < 2 || value.back() != '"')
            throw ResourceError(line, "unterminated string " + value);
        return StringLiteral(value.substr(1, value.size() - 2), env, line);
    }
    if (value.front() == '{') {
        if (value.back() != '}') throw ResourceError(line, "bad expression " + value);
        return IntegerLiteral(Expression(value.substr(1, value.size() - 2), env, line).Evaluate(), line);
    }
    const bool negative = value.front() == '-';
    const std::string digits = negative ? value.substr(1) : value;
    int base = 10;
    std::string number = digits;
    if (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0) {
        base = 16;
        number = digits.substr(2);
    } else if (!digits.empty() && digits[0] == '$') {
        base = 16;
        number = digits.substr(1);
    }
    if (!number.empty() && (base == 16 ? std::isxdigit(static_cast<unsigned char>(number[0]))
                                       : std::isdigit(static_cast<unsigned char>(number[0])))) {
        size_t used = 0;
        int64_t parsed = 0;
        try {
            parsed = std::stoll(number, &used, base);
        } catch (const std::exception &) {
            used = 0;
        }
        if (used != number.size()) throw ResourceError(line, "bad number " + value);
        return IntegerLiteral(negative ? -parsed : parsed, line);
    }
    std::stringstream parts(value);
    std::string part, cpp;
    while (std::getline(parts, part, '|')) {
        part = Trim(part);
        if (!IsIdentifier(part)) throw ResourceError(line, "bad value " + value);
        cpp += (cpp.empty() ? "" : " | ") + part;
    }
    return cpp;
}

struct Line {
    int number;
    std::string text;  // trimmed, comment removed
};

std::string StripComment(const std::string &s) {
    bool inString = false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && inString) {
            ++i;
        } else if (s[i] == '"') {
            inString = !inString;
        } else if (s[i] == '#' && !inString) {
            return s.substr(0, i);
        }
    }
    return s;
}

std::string FirstWord(const std::string &s) {
    size_t n = 0;
    while (n < s.size() && IsIdentChar(s[n])) ++n;
    return s.substr(0, n);
}

bool OpensBlock(const std::string &word) {
    return word == "form" || word == "object" || word == "repeat";
}

class Parser {
public:
    explicit Parser(const std::string &text) {
        std::stringstream in(text);
        std::string raw;
        int number = 0;
        while (std::getline(in, raw)) {
            ++number;
            const std::string t = Trim(StripComment(raw));
            if (!t.empty()) lines_.push_back({number, t});
        }
        MatchBlocks();
    }

    Resource Run() {
        Env env;
        Execute(0, lines_.size(), env);
        if (resource_.formClass.empty()) throw ResourceError(0, "no form block");
        return std::move(resource_);
    }

private:
    void MatchBlocks() {
        ends_.assign(lines_.size(), 0);
        std::vector<size_t> open;
        for (size_t i = 0; i < lines_.size(); ++i) {
            const std::string word = FirstWord(lines_[i].text);
            if (OpensBlock(word)) {
                open.push_back(i);
            } else if (lines_[i].text == "end") {
                if (open.empty()) throw ResourceError(lines_[i].number, "'end' without a block");
                ends_[open.back()] = i;
                open.pop_back();
            }
        }
        if (!open.empty()) throw ResourceError(lines_[open.back()].number, "block without 'end'");
    }

    void Execute(size_t begin, size_t end, Env &env) {
        for (size_t i = begin; i < end; ++i) {
            const Line &line = lines_[i];
            const std::string word = FirstWord(line.text);
            const std::string rest = Trim(line.text.substr(word.size()));
            if (word == "include") {
                resource_.includes.push_back(Quoted(rest, line.number));
            } else if (word == "let") {
                const size_t eq = rest.find('=');
                const std::string name = Trim(rest.substr(0, eq));
                if (eq == std::string::npos || !IsIdentifier(name))
                    throw ResourceError(line.number, "bad let");
                env[name] = Expression(Trim(rest.substr(eq + 1)), env, line.number).Evaluate();
            } else if (word == "repeat") {
                Repeat(i, rest, env);
                i = ends_[i];
            } else if (word == "form") {
                Form(i, rest, env);
                i = ends_[i];
            } else if (word == "object") {
                Object(i, rest, env);
                i = ends_[i];
            } else {
                throw ResourceError(line.number, "unexpected line: " + line.text);
            }
        }
    }

    static std::string Quoted(const std::string &s, int line) {
        if (s.size() < 2 || s.front() != '"' || s.back() != '"')
            throw ResourceError(line, "expected \"...\"");
        return s.substr(1, s.size() - 2);
    }

    void Repeat(size_t at, const std::string &clause, Env &env) {
        const int number = lines_[at].number;
        // repeat <name> = <from> to <to> [step <step>]
        const size_t eq = clause.find('=');
        const size_t to = clause.find(" to ");
        if (eq == std::string::npos || to == std::string::npos || to < eq)
            throw ResourceError(number, "expected: repeat <name> = <from> to <to> [step <step>]");
        const std::string name = Trim(clause.substr(0, eq));
        if (!IsIdentifier(name)) throw ResourceError(number, "bad loop name '" + name + "'");
        const size_t stepAt = clause.find(" step ", to);
        const std::string toText =
            clause.substr(to + 4, stepAt == std::string::npos ? std::string::npos : stepAt - to - 4);
        const int64_t from = Expression(Trim(clause.substr(eq + 1, to - eq - 1)), env, number).Evaluate();
        const int64_t last = Expression(Trim(toText), env, number).Evaluate();
        const int64_t step = stepAt == std::string::npos
                                 ? 1
                                 : Expression(Trim(clause.substr(stepAt + 6)), env, number).Evaluate();
        if (step == 0) throw ResourceError(number, "step 0");
        const bool saved = env.count(name) != 0;
        const int64_t outer = saved ? env[name] : 0;
        for (int64_t v = from; step > 0 ? v <= last : v >= last; v += step) {
            env[name] = v;
            Execute(at + 1, ends_[at], env);
        }
        if (saved)
            env[name] = outer;
        else
            env.erase(name);
    }

    void Form(size_t at, const std::string &clause, const Env &env) {
        const int number = lines_[at].number;
        if (!resource_.formClass.empty()) throw ResourceError(number, "a second form block");
        // form <Name> : <Class> "header"
        const size_t colon = clause.find(':');
        const size_t quote = clause.find('"');
        if (colon == std::string::npos || quote == std::string::npos || quote < colon)
            throw ResourceError(number, "expected: form <Name> : <Class> \"header\"");
        resource_.formName = Trim(clause.substr(0, colon));
        resource_.formClass = Trim(clause.substr(colon + 1, quote - colon - 1));
        resource_.formHeader = Quoted(Trim(clause.substr(quote)), number);
        if (!IsIdentifier(resource_.formName) || !IsIdentifier(resource_.formClass))
            throw ResourceError(number, "bad form name or class");
        resource_.formProperties = Properties(at, env);
    }

    void Object(size_t at, const std::string &clause, const Env &env) {
        const int number = lines_[at].number;
        // object <Name> : <Class> [in <Parent>]
        const size_t colon = clause.find(':');
        if (colon == std::string::npos)
            throw ResourceError(number, "expected: object <Name> : <Class> [in <Parent>]");
        Component c;
        c.line = number;
        c.name = Interpolate(Trim(clause.substr(0, colon)), env, number, false);
        std::string tail = Trim(clause.substr(colon + 1));
        const size_t in = tail.find(" in ");
        if (in != std::string::npos) {
            c.parent = Interpolate(Trim(tail.substr(in + 4)), env, number, false);
            tail = Trim(tail.substr(0, in));
        }
        c.className = tail;
        if (!IsIdentifier(c.name)) throw ResourceError(number, "bad component name '" + c.name + "'");
        if (!IsIdentifier(c.className)) throw ResourceError(number, "bad class name '" + c.className + "'");
        if (c.name == resource_.formName || !names_.insert(c.name).second)
            throw ResourceError(number, "duplicate name " + c.name);
        if (!c.parent.empty() && (c.parent == c.name || names_.count(c.parent) == 0))
            throw ResourceError(number,
                                "parent " + c.parent + " of " + c.name + " is not declared before it");
        c.properties = Properties(at, env);
        resource_.components.push_back(std::move(c));
    }

    std::vector<Property> Properties(size_t at, const Env &env) const {
        std::vector<Property> props;
        for (size_t i = at + 1; i < ends_[at]; ++i) {
            const Line &line = lines_[i];
            if (OpensBlock(FirstWord(line.text))) throw ResourceError(line.number, "blocks cannot nest here");
            const size_t eq = line.text.find('=');
            if (eq == std::string::npos) throw ResourceError(line.number, "expected: <Property> = <value>");
            Property p;
            p.line = line.number;
            p.name = Trim(line.text.substr(0, eq));
            const std::string value = Trim(line.text.substr(eq + 1));
            const size_t dot = p.name.find('.');
            const bool validName = dot == std::string::npos ? IsIdentifier(p.name)
                                                            : IsIdentifier(p.name.substr(0, dot)) &&
                                                                  IsIdentifier(p.name.substr(dot + 1));
            if (!validName) throw ResourceError(line.number, "bad property name '" + p.name + "'");
            if (p.name == "bounds") {
                p.value = Bounds(value, env, line.number);
            } else if (p.name.rfind("On", 0) == 0 && dot == std::string::npos) {
                if (!IsIdentifier(value))
                    throw ResourceError(line.number, "bad handler name '" + value + "'");
                p.isEvent = true;
                p.value = value;
            } else {
                p.value = ValueToCpp(value, env, line.number);
            }
            props.push_back(std::move(p));
        }
        return props;
    }

    static std::string Bounds(const std::string &value, const Env &env, int line) {
        // Four values separated by blanks; an {expression} may hold blanks of its own.
        std::vector<std::string> parts;
        std::string current;
        int depth = 0;
        for (char c : value) {
            if (c == '{') ++depth;
            if (c == '}') --depth;
            if ((c == ' ' || c == '\t') && depth == 0) {
                if (!current.empty()) parts.push_back(current);
                current.clear();
            } else {
                current += c;
            }
        }
        if (!current.empty()) parts.push_back(current);
        if (parts.size() != 4) throw ResourceError(line, "bounds needs Left Top Width Height");
        std::string cpp;
        for (const std::string &part : parts) cpp += (cpp.empty() ? "" : ", ") + ValueToCpp(part, env, line);
        return cpp;
    }

    std::vector<Line> lines_;
    std::vector<size_t> ends_;
    Resource resource_;
    std::set<std::string> names_;
};

}  // namespace

Resource ParseResource(const std::string &text) {
    return Parser(text).Run();
}

}  // namespace formgen
