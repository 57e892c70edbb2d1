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
    NaviData: "struct",
    RemoteDisplay: "struct",
    ThreeDData: "struct"
})
