// The fields of a sequencer set, in the order the camera is asked for them and given them.
#include "Sequencer.h"

namespace Sequencer {

const std::vector<Field>& Fields()
{
    using K = FieldKind;
    using R = FieldRule;
    static const std::vector<Field> fields = {
        {2781, K::Number, R::Always},            // SQF
        {2783, K::Number, R::Always},            // SQNI
        {2797, K::Binning, R::KnownModel},       // SQHB
        {2798, K::Binning, R::KnownModel},       // SQVB
        {2785, K::Number, R::Always},            // SQW
        {2787, K::Number, R::Always},            // SQH
        {2789, K::Number, R::Always},            // SQOX
        {2791, K::Number, R::Always},            // SQOY
        {2793, K::Number, R::IndividualGainOff}, // SQGA
        {2795, K::Number, R::Always},            // SQPE
        {2912, K::Number, R::Always},            // SQPER
        {2914, K::Number, R::Always},            // SQPEG
        {2916, K::Number, R::Always},            // SQPEB
        {2799, K::List, R::Always},              // SQLUT
        {2800, K::Number, R::Always},            // SQBL
        {2802, K::Number, R::IndividualGainOn},  // SQGR
        {2918, K::Number, R::IndividualGainOn},  // SQGG
        {2804, K::Number, R::IndividualGainOn},  // SQGB
    };
    return fields;
}

} // namespace Sequencer
