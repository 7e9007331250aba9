"""Lumora Camera Link cameras over their serial control channel (typed stub of the C++ module)."""
from os import PathLike
from types import TracebackType
from typing import Callable, Mapping, NamedTuple, Optional, Sequence, Union

__version__: str

Value = Union[int, float, str]
Path = Union[str, PathLike[str]]
ProgressCallback = Callable[[int, int], object]

class Error(Exception):
    """Every failure of a lumora call."""

class Refused(Error):
    """The camera refused a line, or keeps another value than the one set or applied."""
    answer: Optional[str]
    differences: list[tuple[str, Value, Optional[Value]]]
    def __init__(self, message: str, answer: Optional[str] = ..., differences: Sequence[tuple[str, Value, Optional[Value]]] = ...) -> None: ...

class NoCamera(Error):
    """The port could not be opened, no camera answered, or the link was lost."""

class UsageError(Error):
    """A wrong argument: unknown mnemonic, value of the wrong kind or out of range, unreadable file, closed camera."""

class Applied(NamedTuple):
    """A value set: as the camera keeps it, as requested, and how the rules changed it (or None)."""
    value: Value
    requested: Value
    note: Optional[str]

class Port(NamedTuple):
    """A port open() can take."""
    mode: int
    index: int
    name: str
    device: Optional[str]
    address: Optional[str]
    stable_name: Optional[str]
    present: bool

class Lut:
    """The three output lookup tables of one camera (Camera.lut)."""
    def read(self, *, progress: Optional[ProgressCallback] = None) -> tuple[list[int], list[int], list[int]]:
        """Read the tables: (red, green, blue), 32 ints 0 to 4095 each."""
    def write(self, red: Sequence[int], green: Sequence[int], blue: Sequence[int], *,
              progress: Optional[ProgressCallback] = None) -> None:
        """Write the three tables, each 32 ints 0 to 4095."""

class FlashAreas:
    """The flash areas of one camera (Camera.userset, Camera.area)."""
    def load(self, n: int) -> None:
        """Load area n into the camera's working settings."""
    def store(self, n: int) -> None:
        """Store the camera's working settings into area n."""

class Camera:
    """One camera, opened by lumora.open(); a context manager that closes its link."""
    @property
    def model(self) -> str:
        """The model name the camera reported when it was opened."""
    @property
    def port(self) -> str:
        """Where the link leads."""
    @property
    def closed(self) -> bool:
        """True once the link is closed."""
    @property
    def lut(self) -> Lut: ...
    @property
    def userset(self) -> FlashAreas: ...
    @property
    def area(self) -> FlashAreas: ...
    def close(self) -> None:
        """Close the link."""
    def __enter__(self) -> "Camera": ...
    def __exit__(self, exc_type: Optional[type[BaseException]], exc: Optional[BaseException],
                 traceback: Optional[TracebackType]) -> bool: ...
    def get(self, mnemonic: str) -> Value:
        """The camera's value of a parameter by its mnemonic."""
    def get_many(self, mnemonics: Sequence[str]) -> dict[str, Value]:
        """Several values in the order given, by mnemonic."""
    def set(self, values: Optional[Mapping[str, Value]] = None, /, **settings: Value) -> dict[str, Applied]:
        """Set parameters by the window's rules and read each back."""
    def send(self, line: str) -> list[str]:
        """Send one raw line and return the camera's answer lines."""
    def dump(self, path: Optional[Path] = None, *, shipping: bool = False,
             progress: Optional[ProgressCallback] = None) -> str:
        """Read every setting; return (and with a path, write) the setting file's text."""
    def apply(self, path: Path, *, verify: bool = False, progress: Optional[ProgressCallback] = None) -> int:
        """Load a setting file into the camera; the number of lines applied."""
    def diff(self, path: Path, *, progress: Optional[ProgressCallback] = None) -> list[tuple[str, Value, Optional[Value]]]:
        """The settings in which the camera differs from the file: (setting, file_value, camera_value)."""

def open(port: Optional[Path] = None, baud: Optional[int] = None, mode: Optional[int] = None,
         cl_port: Optional[int] = None, timeout: Optional[float] = None) -> Camera:
    """Open the link to a camera and ask it for its model."""

def ports() -> list[Port]:
    """Every port of every mode that open() can take."""
