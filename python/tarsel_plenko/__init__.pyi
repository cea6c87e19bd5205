"""Chart-pattern similarity engine with a library of streaming technical indicators."""

from ._tarsel_plenko import Plenko as Plenko, __version__ as __version__

__all__ = ["Plenko", "__version__"]
