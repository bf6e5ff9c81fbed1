#include "tools/ToolCommand.h"

const std::vector<ToolCommand>& toolCommands() {
  static const std::vector<ToolCommand> commands = {
      {"version", "", "print the tool's version", runVersionCommand},
      {"pack", "ls|cat|script|build ...", "list or print archive entries; write and run the packing script",
       runPackCommand},
      {"check", "[--archive] [--root DIR] [--gl] [SCRIPT]",
       "lint a demo and everything it loads (--gl: load it with OpenGL too)", runCheckCommand},
      {"effects", "[--root DIR] [--definitions DIR] [--markdown] [CLASS]",
       "the effect classes: parameters, tracks, resources they look up", runEffectsCommand},
      {"tracks", "dump|build|eval|active ...", "timeline text to and from track packs; queries",
       runTracksCommand},
      {"render",
       "[--script NAME] [--archive] [--root DIR] [--size WxH] [--fps N] [--from T] [--to T] [--at T]... "
       "(--out DIR | --video FILE)",
       "load a demo and capture frames at a fixed step", runRenderCommand},
      {"path", "eval FILE U [--catmull] | print FILE",
       "camera paths: the pose at a progress; the file as written", runPathCommand},
      {"scene",
       "info FILE | render FILE --out PNG [--camera NAME] [--at MS] [--size WxH] [--wireframe|--bbox] "
       "[--instanced] | import MODEL OUT [--up y|z] [--key-step S]",
       "describe a scene file (meshes, materials, lights, cameras, object tree); preview it as a picture; "
       "import a model (glTF, OBJ, FBX, Collada, 3DS, PLY, STL)",
       runSceneCommand},
      {"play", "[--archive] [--root DIR] [--size WxH] [--timeline FILE] [SCRIPT]",
       "play a demo with pause, seek, loop and live reloading", runPlayCommand},
  };
  return commands;
}
