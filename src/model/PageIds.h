#pragma once
// The pages' control ids that only the page tables name: every control, up/down control, row
// label and framed group of the seven pages that the program's code does not refer to, by page
// and group in the tables' order. The ids that code names as well are in Ids.h; between them
// the two headers name every id of the pages, so a page table holds no bare number. An up/down
// control takes its box's name and "Spin", a row label its control's name and "Label".
// Controls without a label of their own are named by their group, kind and order.

namespace CtrlId {
enum : int {
    // Page "User A"
    // Trigger control Operation
    TriggerSource = 1349,
    TriggerActivation = 1350,
    TriggerOverlap = 1352,
    TriggerDelaySpin = 3601,
    SoftTrigger = 1882,
    // Acquisition control Operation
    FramePeriodSpin = 1364,
    // Exposure Time
    ExposureTimeSpin = 1339,
    ExposureTimeRedSpin = 1344,
    ExposureTimeGreenSpin = 1346,
    ExposureTimeBlueSpin = 1348,
    // Alc Reference
    AlcReference = 1366, AlcReferenceSpin = 3609,
    // Manual
    AnalogGainSpin = 1059,
    DigitalGainRedSpin = 3602,
    DigitalGainBlueSpin = 3603,
    GainRedSpin = 3604,
    GainGreenSpin = 1796,
    GainBlueSpin = 3605,
    // Black Level
    BlackLevel = 1797, BlackLevelSpin = 3606,
    BlackLevelRed = 1754, BlackLevelRedSpin = 3607,
    BlackLevelBlue = 1759, BlackLevelBlueSpin = 3608,
    // Image format Operation
    OffsetXSpin = 2514,
    WidthSpin = 2516,
    OffsetYSpin = 1358,
    HeightSpin = 1579,
    // Binning Mode
    HorizontalBinningMode = 2661,
    VerticalBinningMode = 2664,
    // Temperature
    TemperatureBox = 1134,
    ReadTemperature = 1432,

    // Page "User B"
    // (outside any group)
    AlcSpeed = 1885, AlcSpeedSpin = 3610,
    AwbSpeed = 2703, AwbSpeedSpin = 3611,
    // LUT
    GammaLabel = 1848,
    LutIndexRed = 2518,
    LutDataRed = 2520, LutDataRedSpin = 3612,
    LutReadRed = 2522,
    LutIndexGreen = 2524,
    LutDataGreen = 2526, LutDataGreenSpin = 3613,
    LutReadGreen = 2528,
    LutIndexBlue = 2530,
    LutDataBlue = 2532, LutDataBlueSpin = 3614,
    LutReadBlue = 2534,

    // Page "User C"
    // Pulse Generator 0
    PulseGenerator0Length = 2296, PulseGenerator0LengthSpin = 3615,
    PulseGenerator0Start = 2304, PulseGenerator0StartSpin = 3616,
    PulseGenerator0End = 2312, PulseGenerator0EndSpin = 3617,
    PulseGenerator0Repeat = 2321, PulseGenerator0RepeatSpin = 3618,
    PulseGenerator0Clear = 2329,
    PulseGenerator0Sync = 2335,
    PulseGenerator0Input = 2345,
    PulseGenerator0Invert = 2349,
    // Pulse Generator 1
    PulseGenerator1Length = 2298, PulseGenerator1LengthSpin = 3619,
    PulseGenerator1Start = 2306, PulseGenerator1StartSpin = 3620,
    PulseGenerator1End = 2314, PulseGenerator1EndSpin = 3621,
    PulseGenerator1Repeat = 2323, PulseGenerator1RepeatSpin = 3622,
    PulseGenerator1Clear = 2330,
    PulseGenerator1Sync = 2336,
    PulseGenerator1Input = 2346,
    PulseGenerator1Invert = 2350,
    // Pulse Generator 2
    PulseGenerator2Length = 2300, PulseGenerator2LengthSpin = 3624,
    PulseGenerator2Start = 2308, PulseGenerator2StartSpin = 3625,
    PulseGenerator2End = 2316, PulseGenerator2EndSpin = 3626,
    PulseGenerator2Repeat = 2325, PulseGenerator2RepeatSpin = 3627,
    PulseGenerator2Clear = 2332,
    PulseGenerator2Sync = 2337,
    PulseGenerator2Input = 2347,
    PulseGenerator2Invert = 2351,
    // Pulse Generator 3
    PulseGenerator3Length = 2302, PulseGenerator3LengthSpin = 3628,
    PulseGenerator3Start = 2310, PulseGenerator3StartSpin = 3629,
    PulseGenerator3End = 2319, PulseGenerator3EndSpin = 3630,
    PulseGenerator3Repeat = 2327, PulseGenerator3RepeatSpin = 3631,
    PulseGenerator3Clear = 2334,
    PulseGenerator3Sync = 2338,
    PulseGenerator3Input = 2348,
    PulseGenerator3Invert = 2352,
    // Counter 0
    Counter0Reset = 2811,
    Counter0Read = 2814,
    Counter0Value = 2812,
    // Counter 1
    Counter1Reset = 2816,
    Counter1Read = 2819,
    Counter1Value = 2817,
    // Counter 2
    Counter2Reset = 2821,
    Counter2Read = 2824,
    Counter2Value = 2822,
    // (outside any group)
    ClockPreScaler = 2343, ClockPreScalerSpin = 3623,
    // UserOutput
    UserOutput0 = 2868,
    UserOutput1 = 2869,
    UserOutput2 = 2871,
    UserOutput3 = 2873,
    // NAND0 Input
    Nand0Source1 = 2339,
    Nand0Invert1 = 2353,
    Nand0Invert2 = 2354,
    Nand0Source2 = 2340,
    // NAND1 Input
    Nand1Source1 = 2341,
    Nand1Invert1 = 2355,
    Nand1Source2 = 2342,
    Nand1Invert2 = 2356,
    // Line1
    Line1Source = 1356,
    Line1Invert = 1361,
    // Line2
    Line2Source = 2907,
    Line2Invert = 2908,
    // OptIn Filter
    OptInFilter = 2909,

    // Page "User D"
    // Sequencer Control Setting
    SequencerFrameNumber = 2781, SequencerFrameNumberSpin = 3632,
    SequencerSetNext = 2783, SequencerSetNextSpin = 3633,
    SequencerWidthSpin = 2786,
    SequencerHeightSpin = 2788,
    SequencerAoiIndex = 2550,
    SequencerOffsetXSpin = 2790,
    SequencerRepetition = 2551,
    SequencerOffsetYSpin = 2792,
    SequencerBlackLevel = 2800, SequencerBlackLevelSpin = 3634,
    SequencerGainSpin = 2794,
    SequencerGainRedSpin = 3635,
    SequencerGainGreenSpin = 2919,
    SequencerGainBlueSpin = 3636,
    SequencerLutMode = 2572,
    // Sequencer Contlol Setting(Exposure Time)
    SequencerExposureCommonSpin = 2796,
    SequencerExposureRedSpin = 2913,
    SequencerExposureGreenSpin = 2915,
    SequencerExposureBlueSpin = 2917,
    // Sequencer Control
    CommandSequenceIndex = 2807, CommandSequenceIndexSpin = 3637,
    SequencerSetStart = 2910, SequencerSetStartSpin = 3638,
    // Multi ROI
    MultiRoiGroup = 2886,
    MultiRoiIndex1Header = 2887,
    MultiRoiIndex2Header = 2888,
    MultiRoiWidth1 = 2712, MultiRoiWidth1Spin = 2713,
    MultiRoiWidthLabel = 2889,
    MultiRoiWidth2 = 2714, MultiRoiWidth2Spin = 2715,
    MultiRoiHeight1 = 2720, MultiRoiHeight1Spin = 2721,
    MultiRoiHeightLabel = 2890,
    MultiRoiHeight2 = 2722, MultiRoiHeight2Spin = 2723,
    MultiRoiOffsetX1 = 2728, MultiRoiOffsetX1Spin = 2729,
    MultiRoiOffsetXLabel = 2891,
    MultiRoiOffsetX2 = 2730, MultiRoiOffsetX2Spin = 2731,
    MultiRoiOffsetY1 = 2736, MultiRoiOffsetY1Spin = 2737,
    MultiRoiOffsetYLabel = 2892,
    MultiRoiOffsetY2 = 2738, MultiRoiOffsetY2Spin = 2739,
    MultiRoiHorizontalEnable1 = 2744, MultiRoiHorizontalEnable1Spin = 2745,
    MultiRoiHorizontalEnableLabel = 2893,
    MultiRoiHorizontalEnable2 = 2746, MultiRoiHorizontalEnable2Spin = 2747,
    MultiRoiVerticalEnable1 = 2752, MultiRoiVerticalEnable1Spin = 2753,
    MultiRoiVerticalEnableLabel = 2894,
    MultiRoiVerticalEnable2 = 2754, MultiRoiVerticalEnable2Spin = 2755,

    // Page "User E (lens iris, no tab)"
    // P-IRIS
    PIrisList1 = 2770,
    PIrisList2 = 2771,
    PIrisRead1 = 2778,
    PIrisNumber1 = 2760, PIrisNumber1Spin = 3639,
    PIrisNumber2 = 2762, PIrisNumber2Spin = 3640,
    PIrisList3 = 2772,
    PIrisList4 = 2773,
    PIrisRead2 = 2777,
    PIrisList5 = 2774,
    PIrisNumber3 = 2764, PIrisNumber3Spin = 3641,
    PIrisNumber4 = 2766, PIrisNumber4Spin = 3642,
    PIrisNumber5 = 2768, PIrisNumber5Spin = 3643,
    PIrisList6 = 2775,
    PIrisList7 = 2776,

    // Page "User E"
    // White Blemish Red
    WhiteBlemishRedThreshold = 1410, WhiteBlemishRedThresholdSpin = 3644,
    WhiteBlemishRedCountRead = 2581,
    WhiteBlemishRedCount = 2583,
    WhiteBlemishRedIndex = 1417, WhiteBlemishRedIndexSpin = 1416,
    WhiteBlemishRedClear = 2882,
    WhiteBlemishRedHorizontal = 1424, WhiteBlemishRedHorizontalSpin = 3645,
    WhiteBlemishRedHorizontalWrite = 1430,
    WhiteBlemishRedHorizontalRead = 1512,
    WhiteBlemishRedVertical = 1438, WhiteBlemishRedVerticalSpin = 3646,
    WhiteBlemishRedVerticalWrite = 1431,
    WhiteBlemishRedVerticalRead = 1513,
    // White Blemish Green
    WhiteBlemishGreenThreshold = 1415, WhiteBlemishGreenThresholdSpin = 3647,
    WhiteBlemishGreenCountRead = 2585,
    WhiteBlemishGreenCount = 2587,
    WhiteBlemishGreenIndex = 1423, WhiteBlemishGreenIndexSpin = 1434,
    WhiteBlemishGreenClear = 2883,
    WhiteBlemishGreenHorizontal = 1427, WhiteBlemishGreenHorizontalSpin = 3648,
    WhiteBlemishGreenHorizontalWrite = 1433,
    WhiteBlemishGreenHorizontalRead = 1515,
    WhiteBlemishGreenVertical = 1441, WhiteBlemishGreenVerticalSpin = 3649,
    WhiteBlemishGreenVerticalWrite = 1437,
    WhiteBlemishGreenVerticalRead = 1517,
    // White Blemish Blue
    WhiteBlemishBlueThreshold = 1445, WhiteBlemishBlueThresholdSpin = 3650,
    WhiteBlemishBlueCountRead = 2589,
    WhiteBlemishBlueCount = 2592,
    WhiteBlemishBlueIndex = 1456, WhiteBlemishBlueIndexSpin = 3651,
    WhiteBlemishBlueClear = 2884,
    WhiteBlemishBlueHorizontal = 1449, WhiteBlemishBlueHorizontalSpin = 3652,
    WhiteBlemishBlueHorizontalWrite = 1453,
    WhiteBlemishBlueHorizontalRead = 1519,
    WhiteBlemishBlueVertical = 1460, WhiteBlemishBlueVerticalSpin = 3653,
    WhiteBlemishBlueVerticalWrite = 1464,
    WhiteBlemishBlueVerticalRead = 1521,
    // Blemish
    WhiteBlemishEnable = 1387,
    WhiteBlemishStore = 1413,
    WhiteBlemishRecalibrate = 1409,
    // Edge Enhancer
    EdgeEnhancer = 2665,
    EdgeEnhancerLevel = 2675,
    // Color Enhancer
    ColorEnhancer = 2667,
    // Color Transformation Control
    ColorTransformationMode = 2660,
    ColorTransformationRgbMode = 2662,
    // Color Matrix Value
    ColorMatrixRR = 2631,
    ColorMatrixRG = 2633,
    ColorMatrixRB = 2635,
    ColorMatrixGR = 2637,
    ColorMatrixGG = 2640,
    ColorMatrixGB = 2643,
    ColorMatrixBR = 2646,
    ColorMatrixBG = 2649,
    ColorMatrixBB = 2652,
    // Value
    ColorEnhancerRed = 2655,
    ColorEnhancerCyan = 2657,
    ColorEnhancerGreen = 2659,
    ColorEnhancerMagenta = 2669,
    ColorEnhancerBlue = 2671,
    ColorEnhancerYellow = 2673,

    // Page "Factory A"
    // Factory Gain
    FactoryGainAnalog = 2825, FactoryGainAnalogSpin = 3654,
    FactoryGainDigital = 2827, FactoryGainDigitalSpin = 3655,
    FactoryGainRow3 = 2829, FactoryGainRow3Spin = 3656,
    FactoryGainRow4 = 2831, FactoryGainRow4Spin = 3657,
    FactoryGainRow5 = 2833, FactoryGainRow5Spin = 3658,
    FactoryGainRow6 = 2835, FactoryGainRow6Spin = 3659,
    // Black Level for Factory
    FactoryBlackOffset = 2837, FactoryBlackOffsetSpin = 3660,
    FactoryBlackLevelRaw = 2411, FactoryBlackLevelRawSpin = 3661,
    FactoryBlackLevelRow3 = 2839, FactoryBlackLevelRow3Spin = 3662,
    FactoryBlackLevelRow4 = 2841, FactoryBlackLevelRow4Spin = 3663,
    FactoryBlackLevelRow5 = 2843, FactoryBlackLevelRow5Spin = 3664,
    FactoryBlackLevelRow6 = 2845, FactoryBlackLevelRow6Spin = 3665,
    // Temperature Factor
    TemperatureFactor = 2708, TemperatureFactorSpin = 3666,
    // Boot Area Set
    BootArea = 1470,
    // Blemish White
    BlemishWhiteThreshold = 2555, BlemishWhiteThresholdSpin = 3667,
    BlemishWhiteRecalibrate = 2553,
    // Horizontal
    BlemishWhiteHorizontalIndex = 2557, BlemishWhiteHorizontalIndexSpin = 1567,
    BlemishWhiteHorizontal = 2559, BlemishWhiteHorizontalSpin = 3668,
    BlemishWhiteHorizontalWrite = 2561,
    BlemishWhiteHorizontalRead = 2562,
    // Vertical
    BlemishWhiteVerticalIndex = 2563, BlemishWhiteVerticalIndexSpin = 1569,
    BlemishWhiteVertical = 2565, BlemishWhiteVerticalSpin = 3669,
    BlemishWhiteVerticalWrite = 2567,
    BlemishWhiteVerticalRead = 2568,
    // Compensation number
    BlemishWhiteCount = 2586,
    BlemishWhiteCountRead = 2584,
    // Blemish Black
    BlemishBlackThreshold = 1448, BlemishBlackThresholdSpin = 3670,
    BlemishBlackRecalibrate = 1650,
    // Horizontal
    BlemishBlackHorizontalIndex = 1452, BlemishBlackHorizontalIndexSpin = 1547,
    BlemishBlackHorizontal = 1457, BlemishBlackHorizontalSpin = 3671,
    BlemishBlackHorizontalWrite = 1520,
    BlemishBlackHorizontalRead = 1522,
    // Vertical
    BlemishBlackVerticalIndex = 1461, BlemishBlackVerticalIndexSpin = 1549,
    BlemishBlackVertical = 1465, BlemishBlackVerticalSpin = 3672,
    BlemishBlackVerticalWrite = 1523,
    BlemishBlackVerticalRead = 1524,
    // Compensation number
    BlemishBlackCount = 2590,
    BlemishBlackCountRead = 2588,
    // HightSpeedCom Mode
    HighSpeedCom = 2876,
    // (outside any group)
    CameraReset = 1014,
};
} // namespace CtrlId
