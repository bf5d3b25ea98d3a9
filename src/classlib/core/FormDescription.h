// Form descriptions: the readable text in which a form's component tree and
// published values are kept. The program stores each one as an RCDATA
// resource named after the form class in upper case (TFORMSETTINGS,
// TABOUTBOX), and the form reads it while it is constructed.
//
// Example:
//
//   object FormSettings: TFormSettings
//     Caption = '3D Corvalen'
//     ClientWidth = 608
//     Color = 15577679
//     BorderStyle = bsDialog
//     BorderIcons = []
//     Font.Name = 'Arial'
//     Font.Height = -11
//     Font.Style = [fsBold]
//     OnShow = FormShow
//     object PanelPreview: TPanel
//       Align = alClient
//       Anchors = [akLeft, akTop]
//       object GLWindow: TGLWindow
//         Viewport.Camera.Position.Z = -5.0
//       end
//     end
//     object ComboBoxDirection: TComboBox
//       Items.Strings = (
//         'Left to Right'
//         'Right to Left'
//         'Both')
//       OnChange = ComboBoxDirectionChange
//     end
//     object GLScreenSaver: TGLScreenSaver
//       Title = '3D Corvalen'
//       Active = True
//       Display = GLDisplay
//       Window = GLWindow
//     end
//     object StoredSkin: TspStoredSkin
//       Pictures = {
//         01 01 01 01 00000000}
//     end
//   end
//
// The format:
//  - One root "object Name: TClass ... end" block; inside a block, first
//    property assignments "Path = value", one after another in any layout,
//    then nested "object" blocks, each created with the root as owner and
//    attached to the block it is nested in. Keywords, names and class names
//    are compared without regard to case.
//  - Values: integers (decimal, $hex, with "-" for negatives); reals with a
//    "." and an optional exponent (-5.0, 1.5e-3); strings in single quotes
//    with '' for a quote, joined to #nn / #$hh character codes without
//    blanks and to other strings with "+", so any byte can be written
//    ('Line 1'#13#10 + 'Line 2'); identifiers (True, False, enumeration
//    names, component names, handler names); qualified names
//    (OtherForm.Panel1) for components of another form; sets [a, b] and [];
//    lists ( item item ... ) of numbers, strings and identifiers; binary data
//    { hex digit pairs }, blanks and line ends allowed between the digits.
//  - A dotted property path ("Viewport.Camera.Position.Z") goes through
//    sub-objects to the property of the last one.
//  - What a name means, and whether a value fits, is the class registry's
//    business (ClassRegistry.h); the reading order is the reader's
//    (FormReader.h).
//
// Layers, each usable on its own: FormLexer.h (text to tokens),
// FormParser.h (tokens to the TFormObject tree of FormTree.h),
// ClassRegistry.h (classes, factories, typed property setters),
// FormHandlers.h (a form's event handlers by name), FormReader.h (tree to
// components). Every error is an EFormDescriptionError
// (FormDescriptionError.h) naming the form, the line and the item.
#pragma once

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/FormDescriptionError.h"
#include "classlib/core/FormHandlers.h"
#include "classlib/core/FormLexer.h"
#include "classlib/core/FormParser.h"
#include "classlib/core/FormReader.h"
#include "classlib/core/FormTree.h"
