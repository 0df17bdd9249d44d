#pragma once

#include <QString>
#include <span>

namespace wirevane {

// The two forms an expected answer may take, as the user is shown them: the form, what a row's
// answer must do to pass, and an example cell text.
struct ExpectationForm {
    const char* form;    // a source text of the translation
    const char* meaning; // a source text of the translation
    const char16_t* example;
};

std::span<const ExpectationForm> ExpectationForms();
QString ExpectationFormName(const ExpectationForm& form);
QString ExpectationFormMeaning(const ExpectationForm& form);

// The references to values that passing "re:" checks read, which later rows' send data may
// hold, in the same shape; and what happens to a reference without a value.
std::span<const ExpectationForm> AnswerValueForms();
QString AnswerValueNote();

// The forms as the expected-answer column's header tooltip, with the rule for an empty cell.
QString ExpectationToolTip();

} // namespace wirevane
