"""Chart-pattern similarity engine with a library of streaming technical indicators."""

from ._tarsel_plenko import Plenko, __version__

__all__ = ["Plenko", "__version__"]
