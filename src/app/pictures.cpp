// The pictures' resource file is attached to this library; nothing else lives here.
