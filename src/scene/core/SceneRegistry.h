// The scene class registry and object paths.
//
// Scene descriptions name the class of each object by text and refer to
// other objects by path. The registry maps class names (matched without
// regard to ASCII case) to factories; the first registration of a name
// wins. The engine's own classes are registered when the registry is first
// used, so they come before any class a program registers at its start.
//
// An object path names an object below a root: the names from just below
// the root down to the object, joined by "/" ("Textures/Sand").
#pragma once

#include <string>

#include "scene/core/SceneObjects.h"

// Makes a new object of one scene class.
using TSceneClass = TMainItem* (*)();

// The factory of class T.
template <class T>
TMainItem* NewSceneObject()
{
    return new T();
}

// Adds (typeName, sceneClass); a name already registered keeps its class.
void RegisterSceneClass(const std::string& typeName, TSceneClass sceneClass);
// A new object of the class registered as typeName, named objectName (stored
// directly: it has no owner yet); null when the name is not registered.
TMainItem* CreateSceneObject(const std::string& typeName, const std::string& objectName);

// The path of object relative to root; empty for a null object. Raises
// Exception "RefferenceToStr error: Owner is NIL!" when the owner chain of
// object ends before it meets root.
std::string ReferenceToStr(const TMainObject* root, const TMainObject* object);
// The object that path names from root, or null: an empty path, an empty
// or unknown part, or a null root give null; a trailing "/" adds no part.
// Every step looks the part up (exact case) in the current object, which
// must be an object list (EInvalidCast "Invalid class typecast" otherwise).
TMainObject* StrToReference(TMainObject* root, const std::string& path);

// sourceName unchanged when it has a folder part (anything up to a last
// "\" or ":"), else path + sourceName.
std::string JoinSourcePath(const std::string& path, const std::string& sourceName);
// The program resource a file is stored as: the file-name part (after the
// last "\" or ":") with its first "." replaced by "_", case kept
// ("fishes.gsc" gives "fishes_gsc").
std::string ResourceNameOf(const std::string& fileName);
