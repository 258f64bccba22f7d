# Emscripten's settings for the web preset (EM_CONFIG names this file): Debian's
# compilers and Node.js, and a library cache of the build's own, since the
# one Debian ships is read-only and holds none of the libraries built yet.
import os

LLVM_ROOT = '/usr/bin'
LLVM_ADD_VERSION = '14'
CLANG_ADD_VERSION = '14'
BINARYEN_ROOT = '/usr'
NODE_JS = '/usr/bin/node'
FROZEN_CACHE = False
CACHE = os.environ.get('ORVANTA_EMSCRIPTEN_CACHE') or os.path.join(
    os.path.dirname(os.path.dirname(os.path.abspath(os.environ['EM_CONFIG']))), 'build', 'emscripten-cache')
# The optimiser's parser is Debian's node-acorn, where Debian keeps its Node
# modules; a node that is not Debian's own does not look there by itself.
os.environ['NODE_PATH'] = os.pathsep.join(p for p in ('/usr/share/nodejs', os.environ.get('NODE_PATH')) if p)
