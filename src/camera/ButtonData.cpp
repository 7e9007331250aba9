// What each push button of the pages does on the camera. Members of the query-with-argument
// and pair-set families come from the family tables, so each stands in one place only.
// Buttons that open a window or run a feature of their own (the sequencer's, the shading
// recalibration) are not here: their feature serves them.
#include "Buttons.h"
#include "FamilyData.h"
#include "Timeouts.h"

namespace ButtonData {

namespace {

using A = ButtonAction;
namespace T = Timeouts;

std::vector<ButtonEntry> build()
{
    std::vector<ButtonEntry> t = {
        {1014, A::CameraReset, 8, 1, T::kCameraResetMs},                      // CRS00
        {1409, A::SetReportDone, 146, 1, T::kLongSetMs},                      // BMRCW
        {1413, A::SetReportDone, 147, 1, T::kLongSetMs},                      // BMS
        {1650, A::SetReportDone, 396, 1, T::kLongSetMs},
        {2553, A::SetReportDone, 400, 1, T::kLongSetMs},
        {1442, A::Set, 386, 0, T::kStatusMs},
        {1432, A::Temperature, 170, 0, T::kStatusMs, 1134},                   // TMP0
        {1882, A::Set, 17, 0, T::kStatusMs},                                  // STRG
        {2581, A::QueryIntoBox, 157, 0, T::kStatusMs, 2583},                  // BNUMR
        {2585, A::QueryIntoBox, 163, 0, T::kStatusMs, 2587},                  // BNUMG
        {2589, A::QueryIntoBox, 169, 0, T::kStatusMs, 2592},                  // BNUMB
        {2584, A::QueryIntoBox, 521, 0, T::kStatusMs, 2586},                  // FBNUM
        {2588, A::QueryIntoBox, 522, 0, T::kStatusMs, 2590},                  // FBBNUM
        {2777, A::QueryIntoBox, 576, 0, T::kBriefQueryMs, 2774},
        {2778, A::QueryIntoBox, 572, 0, T::kBriefQueryMs, 2760},
        {2811, A::FixedSet, 585, 1, T::kAcknowledgeMs},                       // CR0
        {2816, A::FixedSet, 588, 1, T::kAcknowledgeMs},                       // CR1
        {2821, A::FixedSet, 591, 1, T::kAcknowledgeMs},                       // CR2
        {2878, A::FixedSet, 594, 1, T::kAcknowledgeMs},
        {2814, A::QueryIntoBox, 586, 0, T::kBriefQueryMs, 2812},              // CV0
        {2819, A::QueryIntoBox, 589, 0, T::kBriefQueryMs, 2817},              // CV1
        {2824, A::QueryIntoBox, 592, 0, T::kBriefQueryMs, 2822},              // CV2
        {2880, A::QueryIntoBox, 595, 0, T::kBriefQueryMs, 2879},
        {2882, A::ClearBlemish, 153, 0, T::kPairSetMs, 1417},                 // BMCLRR
        {2883, A::ClearBlemish, 159, 0, T::kPairSetMs, 1423},                 // BMCLRG
        {2884, A::ClearBlemish, 165, 0, T::kPairSetMs, 1456},                 // BMCLRB
    };
    for (const auto& b : FamilyData::QueryWithArgumentButtons())
        t.push_back({b.button, A::QueryWithArgument});
    for (const auto& b : FamilyData::PairSetButtons())
        t.push_back({b.button, A::PairSet});
    return t;
}

} // namespace

const std::vector<ButtonEntry>& Buttons()
{
    static const std::vector<ButtonEntry> table = build();
    return table;
}

const ButtonEntry* Find(int button)
{
    for (const ButtonEntry& entry : Buttons())
        if (entry.button == button)
            return &entry;
    return nullptr;
}

} // namespace ButtonData
