#pragma once
// Drawing a scene object (resources/scene_object.h) as it stands after its update: its working
// mesh with its texture or sphere-mapped environment, blended when either has alpha, lit when
// its configuration says so. Every routine but bindObjectTextures saves and restores all GL
// attributes; colour and the matrices are the caller's.

class SceneObject;

// Enables texturing and binds the object's texture, or its environment map with sphere-map
// generation for S and T; an object with neither leaves the bound texture as it is. Does not
// save the state it changes.
void bindObjectTextures(const SceneObject& object);
// The object as configured: textures, translucency (alpha blended, depth not written, back
// faces culled) and lighting.
void drawObject(const SceneObject& object);
// The working mesh alone, with the object's transform unless applyTransform is false.
void drawObjectGeometry(const SceneObject& object, bool applyTransform = true);
// The working mesh's edges as smoothed white lines at opacity alpha, one pixel wide at 600
// lines and as wide again at any picture size, depth not written.
void drawObjectWireframe(const SceneObject& object, float alpha);
