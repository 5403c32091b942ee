#pragma once
// The OpenGL 1.1 names that OpenGL ES 3.0's header lacks, with OpenGL's values: the types of
// the double-precision calls and the enums of fixed-function state the portable code names.
// Everything ES 3.0 shares with OpenGL 1.1 comes from ES's own header.

#include <GLES3/gl3.h>

typedef double GLdouble;
typedef double GLclampd;

// Primitives beyond ES's.
#define GL_QUADS 0x0007
#define GL_QUAD_STRIP 0x0008
#define GL_POLYGON 0x0009

// Capabilities.
#define GL_ALPHA_TEST 0x0BC0
#define GL_COLOR_MATERIAL 0x0B57
#define GL_FOG 0x0B60
#define GL_LIGHTING 0x0B50
#define GL_LIGHT0 0x4000
#define GL_LIGHT7 0x4007
#define GL_LINE_SMOOTH 0x0B20
#define GL_NORMALIZE 0x0BA1
#define GL_TEXTURE_GEN_S 0x0C60
#define GL_TEXTURE_GEN_T 0x0C61

// Client arrays.
#define GL_VERTEX_ARRAY 0x8074
#define GL_NORMAL_ARRAY 0x8075
#define GL_COLOR_ARRAY 0x8076
#define GL_TEXTURE_COORD_ARRAY 0x8078
#define GL_T2F_V3F 0x2A27

// Attribute stacks.
#define GL_ALL_ATTRIB_BITS 0xFFFFFFFF
#define GL_CLIENT_VERTEX_ARRAY_BIT 0x00000002

// Matrices.
#define GL_MATRIX_MODE 0x0BA0
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7
#define GL_TEXTURE_MATRIX 0x0BA8

// Lighting and shading.
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203
#define GL_EMISSION 0x1600
#define GL_SHININESS 0x1601
#define GL_AMBIENT_AND_DIFFUSE 0x1602
#define GL_LIGHT_MODEL_AMBIENT 0x0B53
#define GL_SHADE_MODEL 0x0B54
#define GL_FLAT 0x1D00
#define GL_SMOOTH 0x1D01
#define GL_CURRENT_COLOR 0x0B00

// Rasterisation.
#define GL_POINT 0x1B00
#define GL_LINE 0x1B01
#define GL_FILL 0x1B02
#define GL_PERSPECTIVE_CORRECTION_HINT 0x0C50

// Fog.
#define GL_EXP 0x0800
#define GL_EXP2 0x0801
#define GL_FOG_DENSITY 0x0B62
#define GL_FOG_START 0x0B63
#define GL_FOG_END 0x0B64
#define GL_FOG_MODE 0x0B65
#define GL_FOG_COLOR 0x0B66

// Texturing.
#define GL_TEXTURE_ENV 0x2300
#define GL_TEXTURE_ENV_MODE 0x2200
#define GL_MODULATE 0x2100
#define GL_S 0x2000
#define GL_T 0x2001
#define GL_TEXTURE_GEN_MODE 0x2500
#define GL_EYE_LINEAR 0x2400
#define GL_SPHERE_MAP 0x2402

// Queries.
#define GL_SAMPLES_PASSED 0x8914
