#pragma once
// Between a feature record's register bytes and the value its row in the list holds.
#include "FeatureTable.h"

#include <cstdint>
#include <string>
#include <string_view>

// What a row holds: a whole number (for a record with choices, the index of the choice, -1
// when the choices do not name the register's value; for an unsigned 64-bit register the
// value's bits, so above 2^63 it reads negative), a real number, or a text.
struct RowValue {
    int64_t integer = 0;
    double real = 0;
    std::string text;
};

// The register's bytes as the row's value: a text ends at the first NUL or at the length.
// False when fewer bytes than the register's length are given.
bool DecodeRegister(const FeatureRecord& record, std::string_view bytes, RowValue& value);

// The bytes that write the row's value, in the register's true length: a text padded with NUL,
// a command record its command value. False, with the reason, for a value the register cannot
// hold (a number out of its range, a text longer than it, a choice that is not there).
bool EncodeRegister(const FeatureRecord& record, const RowValue& value, std::string& bytes, std::string& why);
