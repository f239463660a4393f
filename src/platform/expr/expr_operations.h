#pragma once

#include "platform/expr/expr_value.h"

// The operators of the expression language on values. They throw TExprError without a position;
// the evaluator adds the position of the operator.
//
// "+" joins text when either side is text; otherwise it adds numbers, a date plus a number being
// a date. "-" of two dates is a number of days, a date minus a number a date. "*", "/", "div"
// and "mod" work on numbers only ("div" and "mod" truncate both sides to integers first, the
// remainder takes the sign of the dividend). Comparisons compare text with text by its
// Windows-1251 bytes, case-sensitively, and everything else as numbers; text against a number is
// compared as a number when it reads as one and as text otherwise.
namespace ExprOps {

TExprValue Negate(const TExprValue& value);
TExprValue Plus(const TExprValue& value);
TExprValue Add(const TExprValue& left, const TExprValue& right);
TExprValue Subtract(const TExprValue& left, const TExprValue& right);
TExprValue Multiply(const TExprValue& left, const TExprValue& right);
TExprValue Divide(const TExprValue& left, const TExprValue& right);
TExprValue IntDivide(const TExprValue& left, const TExprValue& right);
TExprValue Modulo(const TExprValue& left, const TExprValue& right);
// Negative, zero or positive as left is less than, equal to or greater than right.
int Compare(const TExprValue& left, const TExprValue& right);

} // namespace ExprOps
