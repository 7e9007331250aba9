// The result codes of the automatic functions and the texts the result box shows for them.
#include "AutoFunctions.h"

#include <utility>

namespace AutoFunctions {

const char* ResultText(int32_t code)
{
    static const std::pair<int32_t, const char*> texts[] = {
        {0, "Complete"},
        {1, "Too Bright"},
        {2, "Too Dark"},
        {3, "Timeout Error"},
        {4, "Busy"},
        {5, "Limit"},
        {6, "Trig is not set as Normal"},
        {8, "Convergent"},
        {9, "Condition Error"},
        {255, "Idle"},
    };
    for (const auto& [known, text] : texts)
        if (known == code)
            return text;
    return "Unknown Result";
}

} // namespace AutoFunctions
