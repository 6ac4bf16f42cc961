#include "filter.h"

#include "collation.h"
#include "errors.h"
#include "sql_text.h"
#include "values.h"

#include <cmath>
#include <vector>

namespace tallyvex {

struct Filter::Node {
    enum Kind { Compare, And, Or, Not } kind = Compare;
    QString field;
    CompareOp op = CompareOp::Equal;
    QString value; ///< always kept as text, the way the filter text carries it
    std::shared_ptr<const Node> left, right;
};

namespace {

QString valueText(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    default:
        return v.toString();
    }
}

const char* opText(CompareOp op) {
    switch (op) {
    case CompareOp::Equal:
        return "=";
    case CompareOp::NotEqual:
        return "<>";
    case CompareOp::Less:
        return "<";
    case CompareOp::LessOrEqual:
        return "<=";
    case CompareOp::Greater:
        return ">";
    case CompareOp::GreaterOrEqual:
        return ">=";
    }
    return "=";
}

QString quoted(const QString& s) {
    QString q = s;
    q.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

// --- parsing ---------------------------------------------------------------------------------

struct Token {
    enum Kind { Ident, Op, Value, LParen, RParen, End } kind;
    QString text;
};

class Parser {
public:
    explicit Parser(const QString& text) : src_(text) { tokenize(); }

    std::shared_ptr<const Filter::Node> parse() {
        auto n = parseOr();
        if (peek().kind != Token::End)
            error();
        return n;
    }

private:
    [[noreturn]] void error() const {
        throw ConversionError(QStringLiteral("The filter \"%1\" cannot be read.").arg(src_));
    }

    void tokenize() {
        int i = 0;
        const int n = int(src_.size());
        while (i < n) {
            const QChar c = src_[i];
            if (c.isSpace()) {
                ++i;
            } else if (c == QLatin1Char('(')) {
                toks_.push_back({Token::LParen, {}});
                ++i;
            } else if (c == QLatin1Char(')')) {
                toks_.push_back({Token::RParen, {}});
                ++i;
            } else if (c == QLatin1Char('\'')) {
                QString v;
                ++i;
                bool closed = false;
                while (i < n) {
                    if (src_[i] == QLatin1Char('\'')) {
                        if (i + 1 < n && src_[i + 1] == QLatin1Char('\'')) {
                            v += QLatin1Char('\'');
                            i += 2;
                            continue;
                        }
                        closed = true;
                        ++i;
                        break;
                    }
                    v += src_[i++];
                }
                if (!closed)
                    error();
                toks_.push_back({Token::Value, v});
            } else if (QStringLiteral("=<>!").contains(c)) {
                QString op(c);
                ++i;
                if (i < n && (src_[i] == QLatin1Char('=') ||
                              (c == QLatin1Char('<') && src_[i] == QLatin1Char('>'))))
                    op += src_[i++];
                toks_.push_back({Token::Op, op});
            } else if (c.isLetter() || c == QLatin1Char('_')) {
                QString id;
                while (i < n && (src_[i].isLetterOrNumber() || src_[i] == QLatin1Char('_')))
                    id += src_[i++];
                toks_.push_back({Token::Ident, id});
            } else if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+') ||
                       c == QLatin1Char('.')) {
                QString v(c);
                ++i;
                while (i < n && (src_[i].isDigit() || src_[i] == QLatin1Char('.')))
                    v += src_[i++];
                toks_.push_back({Token::Value, v});
            } else {
                error();
            }
        }
        toks_.push_back({Token::End, {}});
    }

    const Token& peek() const { return toks_[pos_]; }
    Token take() { return toks_[pos_++]; }
    bool keyword(const char* kw) const {
        return peek().kind == Token::Ident &&
               peek().text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0;
    }

    std::shared_ptr<const Filter::Node> join(Filter::Node::Kind k,
                                             std::shared_ptr<const Filter::Node> l,
                                             std::shared_ptr<const Filter::Node> r) {
        auto n = std::make_shared<Filter::Node>();
        n->kind = k;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    std::shared_ptr<const Filter::Node> parseOr() {
        auto l = parseAnd();
        while (keyword("or")) {
            take();
            l = join(Filter::Node::Or, l, parseAnd());
        }
        return l;
    }
    std::shared_ptr<const Filter::Node> parseAnd() {
        auto l = parseTerm();
        while (keyword("and")) {
            take();
            l = join(Filter::Node::And, l, parseTerm());
        }
        return l;
    }
    std::shared_ptr<const Filter::Node> parseTerm() {
        if (keyword("not")) {
            take();
            return join(Filter::Node::Not, parseTerm(), nullptr);
        }
        if (peek().kind == Token::LParen) {
            take();
            auto n = parseOr();
            if (take().kind != Token::RParen)
                error();
            return n;
        }
        if (peek().kind != Token::Ident)
            error();
        auto n = std::make_shared<Filter::Node>();
        n->field = take().text;
        const Token op = take();
        if (op.kind != Token::Op)
            error();
        if (op.text == QLatin1String("="))
            n->op = CompareOp::Equal;
        else if (op.text == QLatin1String("<>") || op.text == QLatin1String("!="))
            n->op = CompareOp::NotEqual;
        else if (op.text == QLatin1String("<"))
            n->op = CompareOp::Less;
        else if (op.text == QLatin1String("<="))
            n->op = CompareOp::LessOrEqual;
        else if (op.text == QLatin1String(">"))
            n->op = CompareOp::Greater;
        else if (op.text == QLatin1String(">="))
            n->op = CompareOp::GreaterOrEqual;
        else
            error();
        const Token v = take();
        if (v.kind == Token::Value)
            n->value = v.text;
        else if (v.kind == Token::Ident) // an unquoted word such as true
            n->value = v.text;
        else
            error();
        return n;
    }

    QString src_;
    std::vector<Token> toks_;
    size_t pos_ = 0;
};

// --- text and SQL ----------------------------------------------------------------------------

QString nodeText(const Filter::Node& n, Filter::Node::Kind parent) {
    switch (n.kind) {
    case Filter::Node::Compare:
        return n.field + QLatin1Char(' ') + QLatin1String(opText(n.op)) + QLatin1Char(' ') +
               quoted(n.value);
    case Filter::Node::Not:
        return QStringLiteral("not (") + nodeText(*n.left, Filter::Node::Not) + QLatin1Char(')');
    case Filter::Node::And:
        return nodeText(*n.left, Filter::Node::And) + QStringLiteral(" and ") +
               nodeText(*n.right, Filter::Node::And);
    case Filter::Node::Or: {
        QString s = nodeText(*n.left, Filter::Node::Or) + QStringLiteral(" or ") +
                    nodeText(*n.right, Filter::Node::Or);
        return parent == Filter::Node::And ? QLatin1Char('(') + s + QLatin1Char(')') : s;
    }
    }
    return {};
}

QVariant sqlValue(const FieldDef& f, const QString& text) {
    if (f.isText())
        return text;
    if (f.type == FieldType::Boolean) {
        const QString s = text.trimmed().toLower();
        if (s == QLatin1String("true") || s == QLatin1String("t") || s == QLatin1String("1") ||
            s == QLatin1String("y"))
            return qint64(1);
        if (s == QLatin1String("false") || s == QLatin1String("f") || s == QLatin1String("0") ||
            s == QLatin1String("n") || s.isEmpty())
            return qint64(0);
    } else if (f.type == FieldType::Date || f.type == FieldType::DateTime) {
        if (auto d = parseDate(text))
            return dateToDays(*d);
        if (auto n = parseNumber(text))
            return *n;
    } else if (f.type == FieldType::Time) {
        if (auto t = parseTime(text))
            return timeToDayFraction(*t);
    } else {
        if (text.trimmed().isEmpty())
            return 0.0;
        if (auto n = parseNumber(text))
            return *n;
    }
    throw ConversionError(
        QStringLiteral("'%1' is not a valid value for field '%2' in a filter.").arg(text, f.name));
}

QString nodeSql(const Filter::Node& n, const TableDef& t, bool nocase, QVariantList& params) {
    switch (n.kind) {
    case Filter::Node::Compare: {
        const FieldDef* f = t.field(n.field);
        if (!f)
            throw StorageError(
                QStringLiteral("Field '%1' not found in table %2.").arg(n.field, t.name));
        params << sqlValue(*f, n.value);
        QString s = sql::keyExpression(*f, false) + QLatin1Char(' ') + QLatin1String(opText(n.op)) +
                    QStringLiteral(" ?");
        if (f->isText() && nocase)
            s += QStringLiteral(" COLLATE ") + QLatin1String(kNoCaseCollation);
        return s;
    }
    case Filter::Node::Not:
        return QStringLiteral("NOT (") + nodeSql(*n.left, t, nocase, params) + QLatin1Char(')');
    case Filter::Node::And:
    case Filter::Node::Or: {
        // The left side first: its values come first in params.
        const QString left = nodeSql(*n.left, t, nocase, params);
        const QString right = nodeSql(*n.right, t, nocase, params);
        return QLatin1Char('(') + left +
               (n.kind == Filter::Node::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) +
               right + QLatin1Char(')');
    }
    }
    return {};
}

} // namespace

Filter Filter::compare(const QString& field, CompareOp op, const QVariant& value) {
    auto n = std::make_shared<Node>();
    n->field = field;
    n->op = op;
    n->value = valueText(value);
    return Filter(std::move(n));
}

Filter Filter::parse(const QString& text) {
    if (text.trimmed().isEmpty())
        return Filter();
    return Filter(Parser(text).parse());
}

Filter Filter::operator&&(const Filter& o) const {
    if (isEmpty())
        return o;
    if (o.isEmpty())
        return *this;
    auto n = std::make_shared<Node>();
    n->kind = Node::And;
    n->left = root_;
    n->right = o.root_;
    return Filter(std::move(n));
}

Filter Filter::operator||(const Filter& o) const {
    if (isEmpty() || o.isEmpty())
        return Filter();
    auto n = std::make_shared<Node>();
    n->kind = Node::Or;
    n->left = root_;
    n->right = o.root_;
    return Filter(std::move(n));
}

Filter Filter::operator!() const {
    if (isEmpty())
        return *this;
    auto n = std::make_shared<Node>();
    n->kind = Node::Not;
    n->left = root_;
    return Filter(std::move(n));
}

QStringList Filter::fieldNames() const {
    QStringList names;
    std::vector<const Node*> open{root_.get()};
    while (!open.empty()) {
        const Node* n = open.back();
        open.pop_back();
        if (!n)
            continue;
        if (n->kind == Node::Compare)
            names << n->field;
        open.push_back(n->left.get());
        open.push_back(n->right.get());
    }
    return names;
}

QStringList Filter::equalityFields() const {
    QStringList names;
    std::vector<const Node*> open{root_.get()};
    while (!open.empty()) {
        const Node* n = open.back();
        open.pop_back();
        if (!n)
            continue;
        if (n->kind == Node::Compare && n->op == CompareOp::Equal)
            names << n->field;
        if (n->kind == Node::And) {
            open.push_back(n->left.get());
            open.push_back(n->right.get());
        }
    }
    return names;
}

QString Filter::toText() const {
    return root_ ? nodeText(*root_, Node::Or) : QString();
}

QString Filter::toSql(const TableDef& table, bool textIgnoresCase, QVariantList& params) const {
    return root_ ? nodeSql(*root_, table, textIgnoresCase, params) : QStringLiteral("1");
}

QString keyText(double key) {
    return QString::number(qint64(std::llround(key)));
}

Filter competitionFilter(double key, const QString& field) {
    return Filter::equals(field, keyText(key));
}

} // namespace tallyvex
