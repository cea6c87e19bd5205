"""The native module (`tarsel_plenko._tarsel_plenko`)."""

from typing import final

__all__ = ["__version__", "Plenko"]

__version__: str

@final
class Plenko:
    """A plenko instance driven by JSON commands.

    `unsendable`: the plenko holds a stateful fingerprint index and streaming
    evaluators, so a handle is bound to the thread that created it.
    """

    def __init__(self, spec_json: str) -> None: ...
    def command(self, cmd_json: str) -> str:
        """Apply a command JSON and return the resulting response JSON."""
    @staticmethod
    def version() -> str:
        """The library version."""
