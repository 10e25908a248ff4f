#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "varvik_version.h"

namespace varvik {

// What the calculator asks of its surroundings: the numeric test, the
// conversions between texts and numbers, and the message box. The window
// supplies the message box; tests supply one that records.
class RunTimeServices {
public:
    virtual ~RunTimeServices() = default;

    virtual bool IsNumeric(std::string_view text) const = 0;
    virtual double TextToDouble(std::string_view text) const = 0;
    virtual std::int32_t TextToInt32(std::string_view text) const = 0;
    virtual std::int32_t DoubleToInt32(double value) const = 0;
    virtual std::string Int32ToText(std::int32_t value) const = 0;

    // A modal box with one OK button, titled with the application title;
    // returns when the user has closed it.
    virtual void MsgBox(std::string_view text) = 0;
};

// The program's own numbers and conversions; the message box is left to
// whoever can show one.
class StandardRunTimeServices : public RunTimeServices {
public:
    bool IsNumeric(std::string_view text) const override;
    double TextToDouble(std::string_view text) const override;
    std::int32_t TextToInt32(std::string_view text) const override;
    std::int32_t DoubleToInt32(double value) const override;
    std::string Int32ToText(std::int32_t value) const override;
};

} // namespace varvik
