#pragma once

#include <QString>
#include <QtGlobal>

#include <numeric>

// An exact fraction, for the rates and shapes of a format, which decimals would round.
struct Rational {
    qint64 numerator = 0;
    qint64 denominator = 1;

    double value() const { return double(numerator) / double(denominator); }

    Rational reduced() const
    {
        const qint64 divisor = std::gcd(numerator, denominator);
        return divisor == 0 ? *this : Rational{numerator / divisor, denominator / divisor};
    }
    Rational operator*(const Rational& other) const
    {
        return Rational{numerator * other.numerator, denominator * other.denominator}.reduced();
    }
    Rational operator/(const Rational& other) const
    {
        return Rational{numerator * other.denominator, denominator * other.numerator}.reduced();
    }

    // "8/9", or "270" when whole: the form the tool's expressions take.
    QString toString() const
    {
        const Rational r = reduced();
        return r.denominator == 1 ? QString::number(r.numerator)
                                  : QStringLiteral("%1/%2").arg(r.numerator).arg(r.denominator);
    }

    bool operator==(const Rational&) const = default;
};
