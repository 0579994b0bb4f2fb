# The GL platform layer. The renderer calls OpenGL 1.1 and GLU directly;
# which library answers those calls is the program's choice: tests and
# headless tools link hv_platform_osmesa first (OSMesa exports the GL entry
# points itself), the windowed program links hv_platform_gl_sdl and libGL.
find_package(PkgConfig REQUIRED)
pkg_check_modules(HV_GL_OSMESA REQUIRED IMPORTED_TARGET osmesa)
pkg_check_modules(HV_GL_SDL2 REQUIRED IMPORTED_TARGET sdl2)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)

hv_add_library(hv_platform_gl SOURCES Platform/GL/GLContext.cpp)
hv_add_library(hv_platform_osmesa SOURCES Platform/OSMesa/OSMesaGLContext.cpp DEPENDS hv_platform_gl)
target_link_libraries(hv_platform_osmesa PUBLIC PkgConfig::HV_GL_OSMESA)
hv_add_library(hv_platform_gl_sdl SOURCES Platform/SDLGL/SdlGLContext.cpp Platform/SDLGL/SdlGLWindows.cpp
  DEPENDS hv_platform_gl hv_platform_window)
target_link_libraries(hv_platform_gl_sdl PUBLIC PkgConfig::HV_GL_SDL2 OpenGL::GL)

# GL objects and the OpenGL renderer (kind 0).
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
hv_add_library(hv_gl_renderer
  SOURCES
    Renderer/OpenGL/CGLPolygon.cpp
    Renderer/OpenGL/GLErrors.cpp
    Renderer/OpenGL/GlyphAtlas.cpp
    Renderer/OpenGL/LGLGlyphRenderer.cpp
    Renderer/OpenGL/LGLDisplayList.cpp
    Renderer/OpenGL/LGLRenderer.cpp
    Renderer/OpenGL/LGLTexture.cpp
  DEPENDS hv_renderer hv_graphics hv_freetype_renderer hv_platform_gl hv_platform
)
target_link_libraries(hv_gl_renderer PUBLIC OpenGL::GLU)

# Kind 0 of LRenderer::Create: link this object library into a program to
# make the OpenGL renderer available there.
add_library(hv_gl_renderer_kind OBJECT Renderer/OpenGL/OpenGLRendererKind.cpp)
target_compile_options(hv_gl_renderer_kind PRIVATE ${HV_WARNINGS})
target_link_libraries(hv_gl_renderer_kind PUBLIC hv_gl_renderer hv_freetype_renderer)

# The system font catalogue: font files found in the font folders, by family.
pkg_check_modules(HV_GL_FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
hv_add_library(hv_platform_fonts SOURCES Platform/Fonts/FontConfig.cpp)
target_link_libraries(hv_platform_fonts PRIVATE PkgConfig::HV_GL_FONTCONFIG)
hv_add_library(hv_font_catalogue
  SOURCES
    Renderer/FontCatalogue/FontFileTables.cpp
    Renderer/FontCatalogue/LFontCatalogue.cpp
    Renderer/FontCatalogue/LFontFileInfo.cpp
  DEPENDS hv_platform hv_core
)

# The font renderer the OpenGL renderer draws text with: its interface, and
# text through FreeType's cache manager with fonts from the catalogue.
find_package(Freetype REQUIRED)
hv_add_library(hv_freetype_renderer
  SOURCES
    Renderer/FontRenderer/LFontRenderer.cpp
    Renderer/FontRenderer/LFreetypeFontRenderer.cpp
  DEPENDS hv_font_catalogue hv_platform_fonts hv_graphics hv_core
)
target_link_libraries(hv_freetype_renderer PRIVATE Freetype::Freetype)
