#pragma once
// The program's id vocabulary: every control id, command index and menu command id that code
// refers to by name. Defined here once; the data tables (parameter rows, command rows, button
// and list tables) keep their numbers as data, and all other code uses these names. The page
// tables use them too, and PageIds.h names the pages' remaining controls.
// Grouped by where the control lives; each name says what the control is, not where.

// Control ids: the key between the pages, the parameter table and the features.
namespace CtrlId {
enum : int {
    // Main window
    OnlineStrip = 1161,
    TabControl = 1244,

    // Exposure and triggering
    ExposureTime = 1338,
    FramePeriod = 1363,       // AR, the total frame period in microseconds
    ExposureMode = 1337,
    TriggerMode = 1341,
    TriggerDelay = 1382,      // TD, the second command entry of the mnemonic
    TriggerOperation = 2541,  // TRGOP, likewise
    ExposureTimeMode = 1368,
    ExposureAuto = 2538,
    ExposureTimeAutoMax = 1376,
    ExposureTimeAutoMin = 1377,
    ExposureTimeAutoMaxSpin = 1379,
    ExposureTimeAutoMinSpin = 1380,
    ExposureTimeRed = 1343,
    ExposureTimeGreen = 1345,
    ExposureTimeBlue = 1347,
    VideoProcessBypass = 2594,

    // Gain
    GainAuto = 2539,
    GainAutoMax = 1369,
    GainAutoMin = 1370,
    GainAutoMaxSpin = 1373,
    GainAutoMinSpin = 1374,
    IndividualGainMode = 2542,
    GainRed = 1787,
    GainGreen = 1789,
    GainBlue = 1791,
    GainAutoLabel = 1020,
    AnalogGain = 1055,        // FGA
    DigitalGainRed = 1782,    // PGR
    DigitalGainBlue = 1786,   // PGB
    WhiteBalanceAuto = 1580,
    WhiteBalanceGroup = 1843,
    WhiteBalanceLabel = 1803,
    WhiteBalanceStatus = 2904,

    // Image format and the Camera Link output
    OffsetY = 1357,
    Height = 1359,
    OffsetX = 2513,
    Width = 2515,
    HorizontalBinning = 1406,
    VerticalBinning = 1408,
    ClConfiguration = 1407,   // IDC_CBO_CL_CONFIGURATION
    BitAllocation = 1354,     // IDC_CBO_BIT_ALLOCATION
    SensorClockFrequency = 2573, // IDC_CBO_SENS_CLK_FREQ
    TestPattern = 1386,

    // LUT, shading and the automatic level status (page "User B")
    LutMode = 1381,
    Gamma = 2575,
    Shading = 1404,
    ShadingMode = 1868,
    RecalibrateShading = 1405,
    ShadingResult = 1875,
    LutWriteRed = 2523,
    LutWriteGreen = 2529,
    LutWriteBlue = 2535,
    AlcStatusRead = 1871,
    AlcStatusBox = 1873,
    AlcAreaSelectAll = 2540,
    AlcAreaFirst = 1943,      // 16 area check boxes from here
    AwbAreaSelectAll = 2543,
    AwbAreaFirst = 1959,      // 16 area check boxes from here
    LutIndexSpinRed = 2519,
    LutIndexSpinGreen = 2525,
    LutIndexSpinBlue = 2531,
    OpenLutTable = 1573,

    // Sequencer and multi-ROI (page "User D")
    SequencerMode = 2901,
    SequencerModeSelect = 2902,
    CameraModeBox = 2903,
    VideoSendModeList = 2517,
    SequencerIndex = 2779,
    SequencerIndexSpin = 2780,
    SequencerWrite = 2806,
    SequencerReadIndex = 2569,
    SequencerActiveSet = 2570,
    SequencerReset = 2571,
    MultiRoiEnable = 2872,
    MultiRoiModeBox = 2906,
    SequencerWidth = 2785,
    SequencerHeight = 2787,
    SequencerOffsetX = 2789,
    SequencerOffsetY = 2791,
    SequencerGain = 2793,
    SequencerGainGreen = 2918,
    SequencerGainRed = 2802,
    SequencerGainBlue = 2804,
    SequencerExposureCommon = 2795,
    SequencerExposureRed = 2912,
    SequencerExposureGreen = 2914,
    SequencerExposureBlue = 2916,
    SequencerHorizontalBinning = 2797,
    SequencerVerticalBinning = 2798,
    SequencerLut = 2799,

    // Counters and signal routing (page "User C")
    Counter0EventSource = 2810, // the counters' event source lists: the family of counter resets
    Counter1EventSource = 2815,
    Counter2EventSource = 2820,
    SensorTaps = 2870,

    // Buttons that open a window
    TerminalButton = 1012,

    // Factory page
    CameraModelList = 1855,
    WriteModelId = 1016,
    XmlVersionMajor = 2602,
    XmlVersionMinor = 2603,
    XmlVersionPatch = 2604,
    ReadXmlVersion = 2605,
    WriteXmlVersion = 2606,
    StoreAllAreas = 1024,
    FactoryBaudRate = 1422,
    SupportedBaudBox = 2898,

    // Communication window
    LineStatusIcon = 1163,
    LineStatusText = 1155,
    CommunicationMode = 1011, // "Category"
    PortName = 1005,
    BaudRateLabel = 1018,
    BaudRate = 1030,
    SearchPorts = 1243,       // "Auto"
    WriteSettingFile = 1164,
    ReadSettingFile = 1165,
    CurrentArea = 1167,
    GetArea = 1166,
    UserSet = 1029,
    StoreUserSet = 1168,
    LoadUserSet = 1169,
    MessageList = 1170,
    SaveMessages = 1171,
    ClearMessages = 1172,
    CommunicationOnlineStrip = 1158,

    // Flash area selection
    AreaPrompt = 1023,
    AreaList = 1017,
    AreaOnlineStrip = 1178,
    AreaSeparator = 65535,
};
} // namespace CtrlId

// Command indexes: positions in the command table, by mnemonic where the command has one.
namespace CmdIndex {
enum : int {
    VN = 3,        // firmware version
    MD = 4,        // model name
    UD = 5,        // user id
    DV = 6,        // device version
    CRS00 = 8,     // camera reset
    MLI = 70,      // lens iris motor
    MLZ = 71,      // lens zoom motor
    MLF = 72,      // lens focus motor
    AR = 79,       // total frame period
    AGC = 85,      // gain auto
    ATCS_GAIN = 86, // gain auto status; the same mnemonic as ATCS_EXPOSURE
    AWB = 116,     // white balance auto
    AWRS = 117,    // white balance auto status
    ASC = 122,     // exposure auto
    ATCS_EXPOSURE = 123,
    LUTC = 127,    // LUT mode
    SDM = 139,     // shading
    RS = 141,      // recalibrate shading
    SDRS = 142,    // its result
    HB = 143,      // binning
    VB = 144,
    OFL = 74,      // offset Y
    HTL = 75,      // height
    OFC = 76,      // offset X
    WTC = 77,      // width
    LUTSR = 129,   // the red table's run of 32 entries; LUTSG and LUTSB follow
    LUTSG = 130,
    LUTSB = 131,
    VSM = 206,     // video send mode
    SQM = 208,     // sequencer mode
    SQSEL = 209,   // sequencer kind
    SQIDX = 370,   // the active sequencer set
    SQRST = 371,   // sequencer reset
    LUTR = 132,    // one LUT entry: "LUTR=index,value"; LUTG and LUTB follow
    LUTG = 133,
    LUTB = 134,
    LD = 383,      // load a flash area
    SA = 384,      // store into a flash area
    QueryArea = 385, // the current flash area; the table gives it no mnemonic
    SA00 = 386,    // store into the factory area
    ULCK = 387,    // write unlock of the camera id
    ID = 388,      // camera id
    MD00 = 389,    // model id write
    FPVN = 391,    // FPGA version
    ALCST = 520,   // automatic level status
    XMLVR = 525,   // XML version
    SMRMD = 569,   // sensor multi-ROI mode
    QueryOnlyFirst = 582,  // two unnamed positions whose pending rows are queried, never set
    QueryOnlySecond = 583,
    FCBDRT = 613,  // factory baud rate
    SBDRT = 614,   // supported baud rates
};
} // namespace CmdIndex

// Command ids of the main window's menu entries.
namespace MenuCommand {
enum : int {
    Open = 32781,
    CompareWithCamera = 32792, // File, "Compare with Camera…": a setting file against the camera
                               // before loading it (a command of this program only)
    SaveAllData = 32786,
    SaveShippingData = 32787,
    Exit = 2,
    Reload = 32775,
    LoadSettings = 32777,
    StoreSettings = 32776,
    EditUserId = 32773,
    EditCameraId = 32778,
    ParameterList = 32791, // Utility, the parameter list "XML" (a command of this program only)
    OpenLutFile = 32779,
    SaveLutFile = 32780,
    LoadAllLut = 32784,
    About = 32774,
    CommunicationDialog = 32785,
    MotorLens = 32790, // Settings, "&Motor Lens": the motor lens window
};
} // namespace MenuCommand
