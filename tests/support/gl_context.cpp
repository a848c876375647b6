#include "support/gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>

#include "base/driver_pin.h"

GlContext::GlContext(int width, int height) : width_(width), height_(height) {
    pinGraphicsDriver();
    EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        std::fprintf(stderr, "GlContext: no EGL display\n");
        return;
    }
    display_ = display;
    eglBindAPI(EGL_OPENGL_API);
    // 8-bit RGBA and a 24-bit depth buffer in a pbuffer, for desktop OpenGL.
    const EGLint configAttributes[][2] = {{EGL_SURFACE_TYPE, EGL_PBUFFER_BIT},
                                          {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT},
                                          {EGL_RED_SIZE, 8},
                                          {EGL_GREEN_SIZE, 8},
                                          {EGL_BLUE_SIZE, 8},
                                          {EGL_ALPHA_SIZE, 8},
                                          {EGL_DEPTH_SIZE, 24},
                                          {EGL_NONE, EGL_NONE}};
    EGLConfig config;
    EGLint count = 0;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    if (eglChooseConfig(display, &configAttributes[0][0], &config, 1, &count) && count > 0) {
        surface_ = eglCreatePbufferSurface(display, config, surfaceAttributes);
        context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    }
    if (surface_ == EGL_NO_SURFACE || context_ == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display, surface_, surface_, context_)) {
        std::fprintf(stderr, "GlContext: no EGL config or context\n");
        return;
    }
    glViewport(0, 0, width, height);
    ok_ = true;
}

GlContext::~GlContext() {
    if (!display_) return;
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_) eglDestroyContext(display_, context_);
    if (surface_) eglDestroySurface(display_, surface_);
    eglTerminate(display_);
}

GlContext::Pixel GlContext::pixel(int x, int y) const {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

std::vector<uint8_t> GlContext::readRgba() const {
    std::vector<uint8_t> pixels(static_cast<size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
