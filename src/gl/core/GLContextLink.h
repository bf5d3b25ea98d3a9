// TGLContextLink: a plain pointer to a context object (TCustomOpenGL) that
// becomes null when that object is freed.
//
// Whatever keeps GL objects of a context without owning the context (a
// scene) holds its context through one: freeing the context and its user in
// either order is safe, and a user left behind finds no context rather than
// a freed one. It reads and assigns as the pointer it stands for.
#pragma once

class TCustomOpenGL;

class TGLContextLink {
public:
    TGLContextLink() = default;
    ~TGLContextLink() { Set(nullptr); }
    TGLContextLink(const TGLContextLink&) = delete;
    TGLContextLink& operator=(const TGLContextLink&) = delete;

    TGLContextLink& operator=(TCustomOpenGL* gl)
    {
        Set(gl);
        return *this;
    }
    operator TCustomOpenGL*() const { return FGL; }
    TCustomOpenGL* operator->() const { return FGL; }

private:
    friend class TCustomOpenGL;
    // Leaves the previous context's links, joins gl's.
    void Set(TCustomOpenGL* gl);
    TCustomOpenGL* FGL = nullptr;
};
