' A VBScript client of the registered Zelvacorin.dll, as a host's macro would
' use it: both classes by ProgID, every PShape property, the host interface's
' members under their PShape names with script variables passed by reference,
' errors seen through On Error Resume Next, and script objects as host objects.
' Wine's cscript hides script errors, so the last line counts the checks:
' "N passed, N failed".
Option Explicit

Dim passed, failed
passed = 0
failed = 0

Sub Check(what, condition)
    If condition Then
        passed = passed + 1
    Else
        failed = failed + 1
        WScript.Echo "FAILED: " & what
    End If
End Sub

Sub Same(what, actual, expected)
    Check what & " is " & actual & ", expected " & expected, actual = expected
End Sub

' A host shape as a script object: the size box holds the diameter (variable 2)
' and the length (variable 3), the part data the pitch.
Class HostVariable
    Public Value
End Class

Class HostSizeBox
    Public Function Variable(n)
        Set Variable = New HostVariable
        If n = 2 Then
            Variable.Value = 16
        Else
            Variable.Value = 40
        End If
    End Function
End Class

Class HostPartData
    Public Function Variable(kind, index)
        Set Variable = New HostVariable
        Variable.Value = 2
    End Function
End Class

Class HostComponents
    Public Count
    Public Member
    Public Function Item(i)
        Set Item = Member
    End Function
End Class

Class HostShape
    Public ShapeType
    Public IsPin
    Public Property Get Type
        Type = ShapeType
    End Property
    Public Function Components(componentType)
        Set Components = New HostComponents
        If componentType = 1 Then
            Components.Count = 1
            Set Components.Member = New HostSizeBox
        ElseIf IsPin Then
            Components.Count = 1
            Set Components.Member = New HostPartData
        Else
            Components.Count = 0
        End If
    End Function
End Class

Function NewShape(shapeType, isPin)
    Set NewShape = New HostShape
    NewShape.ShapeType = shapeType
    NewShape.IsPin = isPin
End Function

Dim pin, hook
Set pin = CreateObject("Zelvacorin.PShape")
Set hook = CreateObject("Zelvacorin.DropHook")
Check "PShape is an object", IsObject(pin)
Check "DropHook is an object", IsObject(hook)

' --- Properties -------------------------------------------------------------------
pin.Diametro = 12.5
Same "Diametro", pin.Diametro, 12.5
pin.Lunghezza = 30
Same "Lunghezza", pin.Lunghezza, 30
pin.Passo = 1.75
Same "Passo", pin.Passo, 1.75
pin.ThreadCallout = "M12x1.75"
Same "ThreadCallout", pin.ThreadCallout, "M12x1.75"
Same "IC2DProjectedThreads_Callout", pin.IC2DProjectedThreads_Callout, "M12x1.75"
pin.TransferToDrawingFlags = 6
Same "TransferToDrawingFlags", pin.TransferToDrawingFlags, 6
Same "ProjectionFlags of 6", pin.IC2DProjectedThreads_ProjectionFlags, 2
pin.TransferToDrawingFlags = 7
Same "ProjectionFlags of 7", pin.IC2DProjectedThreads_ProjectionFlags, 3
Same "HoleInformationFlags", pin.IC2DProjectedThreads_HoleInformationFlags, 0

' Smusso rounds half to even into 16 bits.
Dim rounding, i
rounding = Array(0.5, 0, 1.5, 2, 2.5, 2, -2.5, -2, 3.7, 4)
For i = 0 To UBound(rounding) Step 2
    pin.Smusso = rounding(i)
    Same "Smusso of " & rounding(i), pin.Smusso, rounding(i + 1)
Next

On Error Resume Next
pin.Smusso = 40000
Same "overflow error number", Err.Number, 6
Same "overflow description", Err.Description, "Overflow"
Err.Clear
On Error GoTo 0
Same "Smusso after the overflow", pin.Smusso, 4

' --- The host interface's members, variables passed by reference -------------------
Dim x, y, z, answer
x = 9
y = "3.5"
answer = pin.IC2DProjectedThreads_GetThreadDirection(x, y, z)
Same "GetThreadDirection", answer, True
Same "VecX", x, 0
Same "VecY", y, 0
Same "VecZ", z, 1
Same "VecZ type", TypeName(z), "Double"

' Outputs equal to what a variable held are written too, in the declared type.
Dim unset, zeroText
answer = pin.IC2DProjectedThreads_GetThreadDirection(unset, y, z)
Same "VecX into Empty", TypeName(unset), "Double"
zeroText = "0"
answer = pin.IC2DProjectedThreads_GetIsHole(zeroText)
Same "IsHole into the text 0", TypeName(zeroText), "Boolean"

Dim isHole, angle
isHole = True
Same "GetIsHole", pin.IC2DProjectedThreads_GetIsHole(isHole), True
Same "IsHole", isHole, False
angle = 45
Same "GetTaperFromMajorDiameter", pin.IC2DProjectedThreads_GetTaperFromMajorDiameter(angle), True
Same "angle", angle, 0

Dim finite, d1, d2, d3, d4, d5, d6
finite = 7
d1 = 7
d6 = 7
Same "GetHoleInformation", pin.IC2DProjectedThreads_GetHoleInformation(True, finite, d1, d2, d3, d4, d5, d6), False
Same "GetHoleInformation leaves its outputs", finite & d1 & d6, "777"

' Lengths go through the host's unit converter, which needs a page; a pin made
' outside a document has none, and keeps the script's variables as they were.
Dim inner, outer
inner = 1
outer = 2
On Error Resume Next
answer = pin.IC2DProjectedThreads_GetDiameters(inner, outer)
Check "GetDiameters without a page fails", Err.Number <> 0
Same "its description", Err.Description, "Convert needs a page."
Err.Clear
On Error GoTo 0
Same "InnerDiameter", inner, 1
Same "OuterDiameter", outer, 2

' --- Script objects as host shapes ---------------------------------------------------
Dim shapeObject
Set shapeObject = NewShape(5, True)
Same "Initialize a pin", pin.IC2DProjectedThreads_Initialize(shapeObject), True
Same "loaded Diametro", pin.Diametro, 16
Same "loaded Lunghezza", pin.Lunghezza, 40
Same "loaded Passo", pin.Passo, 2
Same "ProjectionFlags after Initialize", pin.IC2DProjectedThreads_ProjectionFlags, 1

Same "Initialize a shape of type 1", pin.IC2DProjectedThreads_Initialize(NewShape(1, True)), False
Same "Initialize a shape without part data", pin.IC2DProjectedThreads_Initialize(NewShape(5, False)), False
Same "ProjectionFlags then", pin.IC2DProjectedThreads_ProjectionFlags, 0
Same "Initialize Nothing", pin.IC2DProjectedThreads_Initialize(Nothing), False

Dim vx, vy, vz, taper, offset, length
vx = 99
Set shapeObject = NewShape(1, True)
answer = pin.IC2DProjectedThreads_GetProjectedThreadInformation(shapeObject, inner, outer, angle, length, offset, vx, vy, vz, isHole, taper)
Same "GetProjectedThreadInformation of a shape that is not a pin", answer, False
Same "VecX left alone", vx, 99

' --- The drop hook ----------------------------------------------------------------
On Error Resume Next
hook.OnDragDrop Nothing
Same "OnDragDrop without a hook", Err.Number, 91
Err.Clear
hook.ondragdrop Nothing
Same "ondragdrop in another case", Err.Number, 91
Err.Clear
On Error GoTo 0

Set pin = Nothing
Set hook = Nothing
WScript.Echo passed & " passed, " & failed & " failed"
