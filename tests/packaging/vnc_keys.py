"""Types keys into a Qt program started with QT_QPA_PLATFORM=vnc: the one way to reach the
windows of a program that runs without a display, from outside its process."""

import socket
import struct
import time

RETURN = 0xFF0D


def _read_exactly(sock, count):
    data = b""
    while len(data) < count:
        chunk = sock.recv(count - len(data))
        if not chunk:
            raise ConnectionError("the VNC server closed the connection")
        data += chunk
    return data


class VncKeyboard:
    def __init__(self, port, timeout=20.0):
        deadline = time.monotonic() + timeout
        while True:
            try:
                self.sock = socket.create_connection(("127.0.0.1", port), timeout=timeout)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.1)
        version = _read_exactly(self.sock, 12)
        self.sock.sendall(version)
        if version >= b"RFB 003.007\n":
            count = _read_exactly(self.sock, 1)[0]
            types = _read_exactly(self.sock, count)
            if 1 not in types:
                raise ConnectionError("the VNC server wants a password")
            self.sock.sendall(b"\x01")
            if version >= b"RFB 003.008\n" and _read_exactly(self.sock, 4) != b"\0\0\0\0":
                raise ConnectionError("the VNC server refused the connection")
        elif struct.unpack(">I", _read_exactly(self.sock, 4))[0] != 1:
            raise ConnectionError("the VNC server wants a password")
        self.sock.sendall(b"\x01")  # share the desktop
        _width, _height = struct.unpack(">HH", _read_exactly(self.sock, 4))
        _read_exactly(self.sock, 16)  # pixel format
        name_length = struct.unpack(">I", _read_exactly(self.sock, 4))[0]
        _read_exactly(self.sock, name_length)

    def press(self, keysym):
        for down in (1, 0):
            self.sock.sendall(struct.pack(">BBxxI", 4, down, keysym))

    def close(self):
        self.sock.close()
