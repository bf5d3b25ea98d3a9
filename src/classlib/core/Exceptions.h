// Exception hierarchy of the class library.
//
// Every failure the system raises itself is an `Exception` (or one of the
// named subclasses below) carrying a literal message; `Message` is what a
// message box or log shows. `EAbort` is the silent exception: the
// application's default handler swallows it without showing anything.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    ~Exception() override = default;

    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

#define CLASSLIB_EXCEPTION(Name, Parent)                              \
    class Name : public Parent {                                      \
    public:                                                           \
        explicit Name(std::string message) : Parent(std::move(message)) {} \
    }

CLASSLIB_EXCEPTION(EAbort, Exception);
CLASSLIB_EXCEPTION(EConvertError, Exception);
CLASSLIB_EXCEPTION(EInvalidCast, Exception);
CLASSLIB_EXCEPTION(EListError, Exception);
CLASSLIB_EXCEPTION(EResNotFound, Exception);
CLASSLIB_EXCEPTION(EStreamError, Exception);
CLASSLIB_EXCEPTION(EFOpenError, EStreamError);
CLASSLIB_EXCEPTION(EFCreateError, EStreamError);
CLASSLIB_EXCEPTION(EReadError, EStreamError);
CLASSLIB_EXCEPTION(EWriteError, EStreamError);
CLASSLIB_EXCEPTION(ERegistryException, Exception);

#undef CLASSLIB_EXCEPTION

// The check of every indexed list: EListError "List index out of bounds
// (<index>)" unless 0 <= index < count.
[[noreturn]] inline void ListIndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
inline void CheckListIndex(int index, int count)
{
    if (index < 0 || index >= count)
        ListIndexError(index);
}
