#pragma once

#include <array>
#include <string>
#include <string_view>

namespace varvik {

// The four entry fields by role, in the order every check visits them.
enum class Field { FV, GEV, FVb, EP };

inline constexpr std::array<Field, 4> kFieldOrder{Field::FV, Field::GEV, Field::FVb, Field::EP};

// The calculator's only way to the fields. Each step reads a field at the
// moment it needs it, so what one step writes is what the next step reads.
class FieldSet {
public:
    virtual ~FieldSet() = default;
    virtual std::string Read(Field field) const = 0;
    virtual void Replace(Field field, std::string_view text) = 0;
};

// Four texts held in memory, for everything that runs the calculator without
// a window.
class FieldTexts : public FieldSet {
public:
    FieldTexts() = default;
    FieldTexts(std::string fv, std::string gev, std::string fvb, std::string ep)
        : texts_{std::move(fv), std::move(gev), std::move(fvb), std::move(ep)}
    {
    }

    std::string Read(Field field) const override { return texts_[Index(field)]; }
    void Replace(Field field, std::string_view text) override { texts_[Index(field)] = text; }

private:
    static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }

    std::array<std::string, 4> texts_{"0", "0", "0", "0"};
};

} // namespace varvik
