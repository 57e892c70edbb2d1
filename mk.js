// Structure definitions for the frames a Mikrokopter sends, read by Tovrik at start-up.
//
// Each definition is a global variable (declared with "var") holding an object: "cmd" is the
// frame's command letter, every other property is one payload field, in payload order, with
// its type: "u8", "s8" (a character), "u16", "s16" (little-endian), or an array such as
// "u8[5]", "s8[16]", "u16[4]", "s16[2]". The object at the very end lists the variables to use;
// its order is the order of the filter check boxes.
//
// Property names made only of digits would be moved to the front by the script engine, so
// every field name here contains a letter.

var Version = {
    cmd: "V",
    "Software major": "u8",
    "Software minor": "u8",
    "Protocol major": "u8",
    "Protocol minor": "u8",
    "Software patch (0 = a)": "u8",
    "Hardware errors": "u8[5]"
};

var Mixer = {
    cmd: "N",
    "Revision": "u8",
    "Mixer name": "s8[12]"
};
for (var motor = 1; motor <= 16; ++motor)
    Mixer["Motor " + motor + " gas nick roll yaw (hex)"] = "u8[4]";

// Recent firmware sends 35 values; older ones 11 or 26, which leaves the later fields empty.
var PpmChannels = {
    cmd: "P",
    "RSSI": "s16"
};
for (var channel = 1; channel <= 16; ++channel)
    PpmChannels["Channel " + channel] = "s16";
for (var poti = 1; poti <= 12; ++poti)
    PpmChannels["Serial poti " + poti] = "s16";
PpmChannels["Waypoint event"] = "s16";
PpmChannels["Constant -127"] = "s16";
PpmChannels["Constant 0"] = "s16";
PpmChannels["Constant 128"] = "s16";
PpmChannels["Further values"] = "s16[2]";

var Display = {
    cmd: "L",
    "Menu item": "u8",
    "Last menu item": "u8",
    "Line 1": "s8[20]",
    "Line 2": "s8[20]",
    "Line 3": "s8[20]",
    "Line 4": "s8[20]"
};

var AnalogLabel = {
    cmd: "A",
    "Channel index": "u8",
    "Label": "s8[16]"
};

var BlParameter = {
    cmd: "U",
    "Ok (1 = success)": "u8",
    "Result (0 ok, 1 running, 2 missing, 3 hw, 4 sw, 5 crc, 6 unreadable)": "u8",
    "Motor index": "u8",
    "Revision": "u8",
    "Set mask": "u8",
    "PWM scaling": "u8",
    "Current limit (A)": "u8",
    "Temperature limit (deg C)": "u8",
    "Current scaling": "u8",
    "Bit config": "u8",
    "Checksum": "u8"
};

// The channel meanings differ between Flight Ctrl (FC) and Navi Ctrl (NC) and between firmware
// versions; the device's own labels come with the 'A' frames. Values are signed on Flight Ctrl.
var analogHints = {
    0: "FC: nick angle",
    1: "FC: roll angle",
    5: "NC: FC flags",
    9: "FC: voltage, 0.1 V",
    22: "FC: current, 0.1 A",
    31: "NC: satellites used"
};
var DebugData = {
    cmd: "D",
    "Status flags": "u8[2]"
};
for (var analog = 0; analog < 32; ++analog) {
    var hint = analogHints[analog];
    DebugData["Analog " + analog + (hint ? " (" + hint + ")" : "")] = "s16";
}

// Sent by Flight Ctrl to the compass (address 3).
var CompassData = {
    cmd: "k",
    "Nick angle (0.1 deg)": "s16",
    "Roll angle (0.1 deg)": "s16",
    "User parameter 1": "u8",
    "User parameter 2": "u8",
    "Calc state": "u8",
    "Orientation": "u8"
};

// ---- Flight Ctrl parameter sets: 'Q' (answer to 'q'), 'S' (to 's'), 'F' (to 'f') ----
//
// A field may also be an object: "type" as above, and optionally "min" and "max" (the documented
// range), "bits" (names of bits 0..7), "choices" (names of the values 0, 1, ...), "items" (names
// of an array's elements) and "unit". A definition that applies to one revision of a structure
// only carries "revision" (a number) and "revisionAt": the payload offset of the structure's
// first byte, which holds the revision; the definition whose revision matches is used.
//
// One table for both revisions, in structure order: name, type, revisions (0: both), range.
var settingsTable = [
    ["Revision", "u8", 0], ["Kanalbelegung", "u8[12]", 0], ["GlobalConfig", "u8", 0],
    ["Hoehe_MinGas", "u8", 0, 0, 100], ["Luftdruck_D", "u8", 0, 0, 250],
    ["HoeheChannel", "u8", 0, 0, 32], ["Hoehe_P", "u8", 0, 0, 32],
    ["Hoehe_Verstaerkung", "u8", 0, 0, 50], ["Hoehe_ACC_Wirkung", "u8", 0, 0, 250],
    ["Hoehe_HoverBand", "u8", 0, 0, 250], ["Hoehe_GPS_Z", "u8", 95, 0, 250],
    ["Hoehe_TiltCompensation", "u8", 106, 0, 250], ["Hoehe_StickNeutralPoint", "u8", 0, 0, 250],
    ["Stick_P", "u8", 0, 1, 6], ["Stick_D", "u8", 0, 0, 64], ["StickGier_P", "u8", 0, 1, 20],
    ["Gas_Min", "u8", 0, 0, 32], ["Gas_Max", "u8", 0, 33, 250],
    ["GyroAccFaktor", "u8", 0, 1, 64], ["KompassWirkung", "u8", 0, 0, 32],
    ["Gyro_P", "u8", 0, 10, 250], ["Gyro_I", "u8", 0, 0, 250], ["Gyro_D", "u8", 0, 0, 250],
    ["Gyro_Gier_P", "u8", 0, 10, 250], ["Gyro_Gier_I", "u8", 0, 0, 250],
    ["Gyro_Stability", "u8", 0, 0, 16], ["UnterspannungsWarnung", "u8", 0, 0, 250],
    ["NotGas", "u8", 0, 0, 250], ["NotGasZeit", "u8", 0, 0, 250], ["Receiver", "u8", 0],
    ["I_Faktor", "u8", 0, 0, 250], ["UserParam1", "u8", 0, 0, 250],
    ["UserParam2", "u8", 0, 0, 250], ["UserParam3", "u8", 0, 0, 250],
    ["UserParam4", "u8", 0, 0, 250], ["ServoNickControl", "u8", 0, 0, 250],
    ["ServoNickComp", "u8", 0, 0, 250], ["ServoNickMin", "u8", 0, 0, 250],
    ["ServoNickMax", "u8", 0, 0, 250], ["ServoRollControl", "u8", 0, 0, 250],
    ["ServoRollComp", "u8", 0, 0, 250], ["ServoRollMin", "u8", 0, 0, 250],
    ["ServoRollMax", "u8", 0, 0, 250], ["ServoNickRefresh", "u8", 0],
    ["ServoManualControlSpeed", "u8", 0], ["CamOrientation", "u8", 0], ["Servo3", "u8", 0],
    ["Servo4", "u8", 0], ["Servo5", "u8", 0], ["LoopGasLimit", "u8", 0, 0, 250],
    ["LoopThreshold", "u8", 0, 0, 250], ["LoopHysterese", "u8", 0, 0, 250],
    ["AchsKopplung1", "u8", 0, 0, 250], ["AchsKopplung2", "u8", 0, 0, 250],
    ["CouplingYawCorrection", "u8", 0, 0, 250], ["WinkelUmschlagNick", "u8", 0, 0, 250],
    ["WinkelUmschlagRoll", "u8", 0, 0, 250], ["GyroAccAbgleich", "u8", 0],
    ["Driftkomp", "u8", 0], ["DynamicStability", "u8", 0], ["UserParam5", "u8", 0, 0, 250],
    ["UserParam6", "u8", 0, 0, 250], ["UserParam7", "u8", 0, 0, 250],
    ["UserParam8", "u8", 0, 0, 250], ["J16Bitmask", "u8", 0], ["J16Timing", "u8", 0],
    ["J17Bitmask", "u8", 0], ["J17Timing", "u8", 0], ["WARN_J16_Bitmask", "u8", 0],
    ["WARN_J17_Bitmask", "u8", 0], ["NaviOut1Parameter", "u8", 95],
    ["AutoPhotoDistance", "u8", 106], ["NaviGpsModeChannel", "u8", 0], ["NaviGpsGain", "u8", 0],
    ["NaviGpsP", "u8", 0], ["NaviGpsI", "u8", 0], ["NaviGpsD", "u8", 0],
    ["NaviGpsPLimit", "u8", 0], ["NaviGpsILimit", "u8", 0], ["NaviGpsDLimit", "u8", 0],
    ["NaviGpsA", "u8", 0], ["NaviGpsMinSat", "u8", 0], ["NaviStickThreshold", "u8", 0],
    ["NaviWindCorrection", "u8", 0], ["NaviAccCompensation", "u8", 0],
    ["NaviOperatingRadius", "u8", 95], ["NaviMaxFlyingRange", "u8", 106],
    ["NaviAngleLimitation", "u8", 0], ["NaviPH_LoginTime", "u8", 0],
    ["NaviDescendRange", "u8", 106], ["ExternalControl", "u8", 0],
    ["OrientationAngle", "u8", 0], ["CareFreeChannel", "u8", 0],
    ["MotorSafetySwitch", "u8", 0], ["MotorSmooth", "u8", 0], ["ComingHomeAltitude", "u8", 0],
    ["FailSafeTime", "u8", 0], ["MaxAltitude", "u8", 0], ["FailsafeChannel", "u8", 0],
    ["ServoFilterNick", "u8", 0], ["ServoFilterRoll", "u8", 0],
    ["Servo3OnValue", "u8", 106], ["Servo3OffValue", "u8", 106], ["Servo4OnValue", "u8", 106],
    ["Servo4OffValue", "u8", 106], ["ServoFS_Pos", "u8[5]", 106],
    ["StartLandChannel", "u8", 0], ["LandingSpeed", "u8", 0], ["CompassOffset", "u8", 106],
    ["AutoLandingVoltage", "u8", 106], ["ComingHomeVoltage", "u8", 106],
    ["AutoPhotoAtitudes", "u8", 106], ["SingleWpSpeed", "u8", 106],
    ["LandingPulse", "u8", 106], ["SingleWpControlChannel", "u8", 106],
    ["MenuKeyChannel", "u8", 106], ["BitConfig", "u8", 0], ["ServoCompInvert", "u8", 0],
    ["ExtraConfig", "u8", 0], ["GlobalConfig3", "u8", 0], ["Name", "s8[12]", 0]
];
var settingsExtras = {
    Kanalbelegung: {items: ["Nick", "Roll", "Gas", "Yaw", "Poti 1", "Poti 2", "Poti 3",
                            "Poti 4", "Poti 5", "Poti 6", "Poti 7", "Poti 8"]},
    GlobalConfig: {bits: ["Altitude control", "Altitude switch", "Heading hold",
                          "Compass active", "Compass fix", "GPS active", "Axis coupling",
                          "Rotary rate limiter"]},
    ExtraConfig: {bits: ["Height limit", "Vario beep", "Sensitive RC", "3.3 V reference",
                         "No RC-off beeping", "GPS aid", "Learnable carefree",
                         "Ignore magnet error at start"]},
    GlobalConfig3: {bits: ["No start without SD card", "Max radius", "Vario failsafe",
                           "Motor switch mode", "No start without GPS fix", "NC for out 1",
                           "Speak all"]},
    BitConfig: {bits: ["Looping up", "Looping down", "Looping left", "Looping right",
                       "Motor blink 1", "Motor-off LED 1", "Motor-off LED 2", "Motor blink 2"]},
    ServoCompInvert: {bits: ["Nick inverted", "Roll inverted", "Relative moving"]},
    Receiver: {choices: ["PPM sum signal", "Spektrum", "Spektrum high resolution",
                         "Spektrum low resolution", "Jeti", "ACT DSL", "HoTT", "S.Bus", "User"]}
};
// The 'Q' answer of one revision: the set number, then the structure without its crc.
function settingsAnswer(revision) {
    var definition = {cmd: "Q", revision: revision, revisionAt: 1, "Set number": "u8"};
    for (var k = 0; k < settingsTable.length; ++k) {
        var row = settingsTable[k];
        if (row[2] !== 0 && row[2] !== revision)
            continue;
        var field = {type: row[1]};
        if (row.length > 3) {
            field.min = row[3];
            field.max = row[4];
        }
        var extra = settingsExtras[row[0]];
        for (var key in extra)
            field[key] = extra[key];
        definition[row[0]] = field;
    }
    return definition;
}
var Settings95 = settingsAnswer(95);
var Settings106 = settingsAnswer(106);
var SettingsWritten = {
    cmd: "S",
    "Set written (0 = refused)": "u8"
};
var ActiveSet = {
    cmd: "F",
    "Active set": "u8"
};
// ---- end of the parameter sets ----

// Navi Ctrl (address 2) and the remote display. The definitions have no 32-bit type, so each
// GPS coordinate (s32, 1e-7 degree) and altitude (s32, mm) shows as its two 16-bit words, low
// word first; the navigation panel shows them as degrees and metres.
function gpsPosition(def, name) {
    def[name + " longitude (low, high word)"] = "u16[2]";
    def[name + " latitude (low, high word)"] = "u16[2]";
    def[name + " altitude mm (low, high word)"] = "u16[2]";
    def[name + " status"] = "u8";
}
var NaviData = {
    cmd: "O",
    "Version (5)": "u8"
};
gpsPosition(NaviData, "Current");
gpsPosition(NaviData, "Target");
NaviData["Target distance (dm)"] = "u16";
NaviData["Target bearing (deg)"] = "s16";
gpsPosition(NaviData, "Home");
NaviData["Home distance (dm)"] = "u16";
NaviData["Home bearing (deg)"] = "s16";
NaviData["Waypoint index"] = "u8";
NaviData["Waypoint count"] = "u8";
NaviData["Satellites in use"] = "u8";
NaviData["Barometric altitude (5 cm)"] = "s16";
NaviData["Variometer"] = "s16";
NaviData["Flying time (s)"] = "u16";
NaviData["Battery (0.1 V)"] = "u8";
NaviData["Ground speed (cm/s)"] = "u16";
NaviData["Heading (deg)"] = "s16";
NaviData["Compass heading (deg)"] = "s16";
NaviData["Nick angle (deg)"] = "u8";
NaviData["Roll angle (deg)"] = "u8";
NaviData["RC quality"] = "u8";
NaviData["FC flags (1 motors, 2 flying, 4 calib, 8 start, 16 emerg, 32 low bat)"] = "u8";
NaviData["NC flags (1 free, 2 hold, 4 home, 8 range, 16 no link, 32 reached, 64 manual, 128 GPS)"] = "u8";
NaviData["Error code"] = "u8";
NaviData["Operating radius (m)"] = "u8";
NaviData["Top speed (cm/s)"] = "s16";
NaviData["Target hold time (s)"] = "u8";
NaviData["FC flags 2"] = "u8";
NaviData["Setpoint altitude"] = "s16";
NaviData["Gas"] = "u8";
NaviData["Current (0.1 A)"] = "u16";
NaviData["Used capacity (mAh)"] = "u16";

var RemoteDisplay = {
    cmd: "H",
    "Line 1": "s8[20]",
    "Line 2": "s8[20]",
    "Line 3": "s8[20]",
    "Line 4": "s8[20]"
};

// Flight Ctrl: three angles and the centroid; Navi Ctrl: the angles and 8 reserved bytes.
var ThreeDData = {
    cmd: "C",
    "Nick angle (0.1 deg)": "s16",
    "Roll angle (0.1 deg)": "s16",
    "Yaw angle (0.1 deg)": "s16",
    "Centroid (FC) or reserved (NC)": "u8[8]"
};

({
    Version: "struct",
    Mixer: "struct",
    PpmChannels: "struct",
    Display: "struct",
    AnalogLabel: "struct",
    BlParameter: "struct",
    DebugData: "struct",
    CompassData: "struct",
    Settings95: "struct",
    Settings106: "struct",
    SettingsWritten: "struct",
    ActiveSet: "struct",
    NaviData: "struct",
    RemoteDisplay: "struct",
    ThreeDData: "struct"
})
