// A JScript client of the registered Zelvacorin.dll: both classes by ProgID,
// every PShape property, errors caught as exceptions, and the results of the
// host interface's members under their PShape names. JScript passes no
// variable by reference, so outputs are not looked at here (client.vbs does).
// Wine's cscript hides script errors, so the last line counts the checks:
// "N passed, N failed".

var passed = 0, failed = 0;

function check(what, condition) {
    if (condition) {
        passed++;
    } else {
        failed++;
        WScript.Echo("FAILED: " + what);
    }
}

function same(what, actual, expected) {
    check(what + " is " + actual + ", expected " + expected, actual === expected);
}

// The error a call raises, or null.
function errorOf(call) {
    try {
        call();
    } catch (e) {
        return e;
    }
    return null;
}

// A host shape as a script object. The component reads members with
// DISPATCH_METHOD|DISPATCH_PROPERTYGET, as late-bound clients do, which JScript
// answers only for functions: every member is one.
function answer(value) {
    return function () { return value; };
}
function shape(type, isPin) {
    var sizeBox = { Variable: function (n) { return { Value: answer(n == 2 ? 16 : 40) }; } };
    var partData = { Variable: function (kind, index) { return { Value: answer(2) }; } };
    return {
        Type: answer(type),
        Components: function (componentType) {
            if (componentType == 1) return { Count: answer(1), Item: answer(sizeBox) };
            return { Count: answer(isPin ? 1 : 0), Item: answer(partData) };
        }
    };
}

var pin = new ActiveXObject("Zelvacorin.PShape");
var hook = new ActiveXObject("Zelvacorin.DropHook");
same("PShape", typeof pin, "object");
same("DropHook", typeof hook, "object");

// --- Properties ---------------------------------------------------------------------
pin.Diametro = 12.5;
same("Diametro", pin.Diametro, 12.5);
pin.Lunghezza = 30;
same("Lunghezza", pin.Lunghezza, 30);
pin.Passo = 1.75;
same("Passo", pin.Passo, 1.75);
pin.ThreadCallout = "M12x1.75";
same("ThreadCallout", pin.ThreadCallout, "M12x1.75");
same("IC2DProjectedThreads_Callout", pin.IC2DProjectedThreads_Callout, "M12x1.75");
pin.TransferToDrawingFlags = 6;
same("TransferToDrawingFlags", pin.TransferToDrawingFlags, 6);
same("ProjectionFlags of 6", pin.IC2DProjectedThreads_ProjectionFlags, 2);
pin.TransferToDrawingFlags = 7;
same("ProjectionFlags of 7", pin.IC2DProjectedThreads_ProjectionFlags, 3);
same("HoleInformationFlags", pin.IC2DProjectedThreads_HoleInformationFlags, 0);

var rounding = [[0.5, 0], [1.5, 2], [2.5, 2], [-2.5, -2], [3.7, 4]];
for (var i = 0; i < rounding.length; i++) {
    pin.Smusso = rounding[i][0];
    same("Smusso of " + rounding[i][0], pin.Smusso, rounding[i][1]);
}

var overflow = errorOf(function () { pin.Smusso = 40000; });
check("the overflow raises an error", overflow !== null);
if (overflow) {
    same("overflow error number", overflow.number & 0xFFFF, 6);
    same("overflow description", overflow.description, "Overflow");
}
same("Smusso after the overflow", pin.Smusso, 4);

var text = errorOf(function () { pin.Diametro = "twelve"; });
check("a text that is no number is refused", text !== null);
same("Diametro after the refusal", pin.Diametro, 12.5);

// --- The host interface's members ----------------------------------------------------
same("GetThreadDirection", pin.IC2DProjectedThreads_GetThreadDirection(1, 2, 3), true);
same("GetIsHole", pin.IC2DProjectedThreads_GetIsHole(true), true);
same("GetTaperProjection", pin.IC2DProjectedThreads_GetTaperProjection(true), true);
same("GetTaperFromMajorDiameter", pin.IC2DProjectedThreads_GetTaperFromMajorDiameter(5), true);
same("GetHoleInformation", pin.IC2DProjectedThreads_GetHoleInformation(true, false, 1, 2, 3, 4, 5, 6), false);

var withoutPage = errorOf(function () { pin.IC2DProjectedThreads_GetDiameters(0, 0); });
check("GetDiameters without a page fails", withoutPage !== null);
if (withoutPage) same("its description", withoutPage.description, "Convert needs a page.");

var count = errorOf(function () { pin.IC2DProjectedThreads_GetThreadDirection(1, 2); });
check("a missing argument is refused", count !== null);

// --- Script objects as host shapes -----------------------------------------------------
same("Initialize a pin", pin.IC2DProjectedThreads_Initialize(shape(5, true)), true);
same("loaded Diametro", pin.Diametro, 16);
same("loaded Lunghezza", pin.Lunghezza, 40);
same("loaded Passo", pin.Passo, 2);
same("ProjectionFlags after Initialize", pin.IC2DProjectedThreads_ProjectionFlags, 1);
same("Initialize a shape of type 1", pin.IC2DProjectedThreads_Initialize(shape(1, true)), false);
same("Initialize a shape without part data", pin.IC2DProjectedThreads_Initialize(shape(5, false)), false);
same("ProjectionFlags then", pin.IC2DProjectedThreads_ProjectionFlags, 0);
// JScript's null is VT_NULL, not an object reference: refused as a type mismatch.
check("Initialize null is refused", errorOf(function () { pin.IC2DProjectedThreads_Initialize(null); }) !== null);
same("GetProjectedThreadInformation of a shape that is not a pin",
     pin.IC2DProjectedThreads_GetProjectedThreadInformation(shape(1, true), 0, 0, 0, 0, 0, 0, 0, 0, false, false),
     false);

// --- The drop hook ------------------------------------------------------------------------
var noPage = errorOf(function () { hook.OnDragDrop({}); });
check("OnDragDrop with a hook that has no page fails", noPage !== null);
if (noPage) {
    same("its error number", noPage.number & 0xFFFF, 438);
    same("its description", noPage.description, "Object doesn't support this property or method");
}

WScript.Echo(passed + " passed, " + failed + " failed");
