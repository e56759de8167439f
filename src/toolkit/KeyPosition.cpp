#include "toolkit/KeyPosition.h"

#include <algorithm>
#include <cmath>

namespace toolkit::keyposition {

namespace {

// Text is placed by its first letters, read as digits of a number: upper case, printable
// ASCII, so that "apple" and "Apple" stand together as a case-insensitive key has them.
constexpr int TextDigits = 4;
constexpr int FirstChar = 32;
constexpr int CharRange = 95;

double textNumber(const QString &text)
{
    double n = 0;
    for (int i = 0; i < TextDigits; ++i) {
        const int c = i < text.size() ? text.at(i).toUpper().unicode() : FirstChar;
        n = n * CharRange + std::clamp(c - FirstChar, 0, CharRange - 1);
    }
    return n;
}

QString textOf(double n)
{
    QString text(TextDigits, u' ');
    auto whole = static_cast<long long>(std::max(0.0, n));
    for (int i = TextDigits - 1; i >= 0; --i) {
        text[i] = QChar(FirstChar + int(whole % CharRange));
        whole /= CharRange;
    }
    return text.trimmed();
}

double numberOf(const store::Record &r, int field)
{
    return r.def().fields.at(field).isText() ? textNumber(r.text(field)) : double(r.number(field));
}

// The first component in which the two records differ, or -1.
int differingComponent(const store::Record &first, const store::Record &last, int key)
{
    const std::vector<int> &components = first.def().keys.at(key).components;
    for (int c = 0; c < int(components.size()); ++c) {
        if (numberOf(first, components[c]) != numberOf(last, components[c]))
            return c;
    }
    return -1;
}

} // namespace

double fractionOf(const store::Record &row, const store::Record &first, const store::Record &last,
                  int key)
{
    const int c = differingComponent(first, last, key);
    if (c < 0)
        return 0;
    const int field = first.def().keys.at(key).components[c];
    const double a = numberOf(first, field);
    const double b = numberOf(last, field);
    return std::clamp((numberOf(row, field) - a) / (b - a), 0.0, 1.0);
}

store::Record valuesAt(double fraction, const store::Record &first, const store::Record &last,
                       int key)
{
    store::Record values(first.def());
    const std::vector<int> &components = first.def().keys.at(key).components;
    const int c = differingComponent(first, last, key);
    for (int i = 0; i < c; ++i)
        values.setValue(components[i], first.value(components[i]));
    if (c < 0)
        return values;
    const int field = components[c];
    const double a = numberOf(first, field);
    const double target = a + std::clamp(fraction, 0.0, 1.0) * (numberOf(last, field) - a);
    if (first.def().fields.at(field).isText())
        values.setText(field, textOf(target));
    else
        values.setNumber(field, static_cast<qint64>(std::llround(target)));
    return values;
}

} // namespace toolkit::keyposition
