# The layers: which folders' headers each folder may include, written once.
# The build gives a library only the include roots of what it links (see
# brv_headers), and scripts/check-layers.cmake reads this list to refuse an
# include that crosses a layer the wrong way. A folder may always include
# its own headers; each folder of tests/ counts as a folder of its own.
#
#   params      the parameter table and value texts, known to every format
#   dsp         the engine that ships
#   reference   one-channel units that define the engine's sound (tests only)
#   plugin      the plug-in every format wraps: live values, the engine with
#               its rate, values onto the engine, the render of a block
#   vst2        the VST 2 interface records, descriptor and dispatchers
#   effect      the VST 2 effect over the plug-in: programs, texts
#   gui         the toolkit; platform code only in gui/platform
#   editor      the panel, reaching its effect through EditController; its
#               room selector names the factory presets from their table
#   module      the VST 2 module, the only binary with both effect and
#               editor: its entry points and the effect with its panel
#   resources   the panel images and the program that draws them
#   host        the host library: loading a module and driving it as a DAW
#               does, the host's window for a panel, the demo phrase
#   room        decay measurements of impulse responses and their picture
#   presets     the factory presets' source, the table the panel compiles
#               in, the parser and the file formats
#   programs    the command-line host, the torture host, the montage
#   lv2         the LV2 plug-in and its UI: thin wrappers of the plug-in and
#               the editor, each in a binary of its own; nothing of VST 2
set(BRV_LAYERS
  "params:"
  "dsp:"
  "reference:dsp"
  "plugin:params,dsp"
  "vst2:params"
  "effect:params,plugin,vst2"
  "gui:"
  "editor:params,gui,presets"
  "module:params,dsp,plugin,vst2,effect,gui,editor"
  "resources:"
  "host:params,vst2,gui"
  "room:host,gui"
  "presets:params"
  "programs:params,vst2,gui,host,room,presets"
  "lv2:params,plugin,gui,editor"
  "fuzz:params,dsp,plugin,vst2,gui,editor,effect,module"
  "bench:params,dsp,reference,plugin,vst2,effect,gui,host"
  "tests/support:params,dsp,reference,plugin,vst2,effect,gui,editor,module,host"
  "tests/*:params,dsp,reference,plugin,vst2,effect,gui,editor,module,host,room,presets,programs,resources,lv2,tests/support"
)

# The platform's two implementations, sealed: whatever the layers allow,
# only the folders after the colon may include headers below the folder
# before it. Everything else reaches the platform through its public
# headers in gui/platform/ (Platform.h, HostWindow.h, ReadBack.h); tests
# reach its staging through the probe library.
set(BRV_SEALED
  "gui/platform/soft:gui/platform,tests"
  "gui/platform/win32:gui/platform,tests"
)

# brv_headers(TARGET FOLDER): users of TARGET reach FOLDER's headers as
# "FOLDER/File.h", and no other folder's through it. Each folder gets an
# include root of its own holding one link to it, so a target that does not
# link a folder's library cannot name its headers.
function(brv_headers target folder)
  string(REPLACE "/" "_" key "${folder}")
  set(root ${CMAKE_BINARY_DIR}/include/${key})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
